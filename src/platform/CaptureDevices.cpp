#include "platform/CaptureDevices.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>

namespace nidora::platform {
namespace {

QString formatText(const QCameraFormat& format)
{
    const QSize size = format.resolution();
    return QStringLiteral("%1 × %2, %3 imágenes/s")
        .arg(size.width())
        .arg(size.height())
        .arg(qRound(format.maxFrameRate()));
}

class DesktopCaptureConnection final : public CaptureConnection {
public:
    explicit DesktopCaptureConnection(const QCameraDevice& device)
        : device_(device)
        , camera_(device)
    {
        session_.setCamera(&camera_);
        session_.setVideoSink(&sink_);
        QObject::connect(&sink_, &QVideoSink::videoFrameChanged, &sink_, [this](const QVideoFrame& frame) {
            picture_ = frame.toImage();
            if (changed_)
                changed_();
        });
        camera_.start();
    }
    ~DesktopCaptureConnection() override { camera_.stop(); }

    bool active() const { return camera_.error() == QCamera::NoError; }

    QImage picture() const override { return picture_; }
    void onPicture(std::function<void()> changed) override { changed_ = std::move(changed); }

    QStringList formats() const override
    {
        QStringList texts;
        for (const QCameraFormat& format : device_.videoFormats())
            texts << formatText(format);
        return texts;
    }
    int currentFormat() const override { return int(device_.videoFormats().indexOf(camera_.cameraFormat())); }
    void setFormat(int index) override
    {
        const QList<QCameraFormat> all = device_.videoFormats();
        if (index >= 0 && index < all.size())
            camera_.setCameraFormat(all[index]);
    }

private:
    QCameraDevice device_;
    QCamera camera_;
    QMediaCaptureSession session_;
    QVideoSink sink_;
    QImage picture_;
    std::function<void()> changed_;
};

} // namespace

QStringList DesktopCaptureDevices::names() const
{
    QStringList names;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        names << device.description();
    return names;
}

std::unique_ptr<CaptureConnection> DesktopCaptureDevices::connect(int index)
{
    const QList<QCameraDevice> devices = QMediaDevices::videoInputs();
    if (index < 0 || index >= devices.size())
        return nullptr;
    auto connection = std::make_unique<DesktopCaptureConnection>(devices[index]);
    if (!connection->active())
        return nullptr;
    return connection;
}

} // namespace nidora::platform
