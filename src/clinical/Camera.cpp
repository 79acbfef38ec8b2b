#include "clinical/Camera.h"

#include "clinical/CapturePreview.h"

#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlLabels.h"
#include "framework/ControlList.h"
#include "framework/ControlShapes.h"
#include "framework/MessageBoxes.h"
#include "framework/Requests.h"
#include "framework/Window.h"
#include "platform/CaptureDevices.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QImageWriter>
#include <QSaveFile>
#include <QTreeWidget>

#include <memory>

namespace nidora::clinical {
namespace {

using framework::DialogRect;

// At most this many devices are listed.
constexpr int kListedDevices = 10;
constexpr int kJpegQuality = 90;

// Writes the picture as a JPEG file in one step: the file of that name is replaced only once
// the whole picture is written, so a failed write never spoils an earlier photo.
bool writeJpeg(const QImage& picture, const QString& path)
{
    if (picture.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "jpg");
    writer.setQuality(kJpegQuality);
    return writer.write(picture) && file.commit();
}

// The device's picture formats to choose from; the index chosen, or -1 when cancelled.
int chooseFormat(QWidget* parent, const QStringList& formats, int current)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Opciones de la cámara"));
    auto* layout = new QFormLayout(&dialog);
    auto* choice = new QComboBox(&dialog);
    choice->setObjectName(QStringLiteral("?Formato"));
    choice->addItems(formats);
    choice->setCurrentIndex(std::max(0, current));
    layout->addRow(QStringLiteral("Formato de imagen:"), choice);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("?Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addRow(buttons);
    return framework::awaitDialog(dialog) == QDialog::Accepted ? choice->currentIndex() : -1;
}

class CameraWindow final : public framework::Window {
public:
    explicit CameraWindow(const QString& baseName)
        : Window(QStringLiteral("Camera"))
        , baseName_(baseName)
    {
        setCaption(QStringLiteral("Captura foto de cámara"));
        setIcon(QIcon(framework::findPictureFile(QStringLiteral("webcam.ico"))));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(263, 138);
        setCentred();
        auto& region
            = add<framework::RegionControl>(QStringLiteral("?REGION1"), DialogRect { 71, 8, 120, 80 });
        preview_ = new CapturePreview(region.widget());
        add<framework::PromptControl>(
            QStringLiteral("?PROMPT5"), DialogRect { 63, 96, 30, 10 }, QStringLiteral("Cámara:"));
        devices_ = &add<framework::ListControl>(
            QStringLiteral("?LIST1"), DialogRect { 95, 96, 106, 10 }, QStringList { QString() });
        static_cast<QTreeWidget*>(devices_->widget())->setHeaderHidden(true);
        connect_ = &add<framework::ButtonControl>(
            QStringLiteral("?BUTTON4"), DialogRect { 8, 116, 56, 14 }, QStringLiteral("Conectar"));
        disconnect_ = &add<framework::ButtonControl>(
            QStringLiteral("?BUTTON6"), DialogRect { 68, 116, 56, 14 }, QStringLiteral("Desconectar"));
        options_ = &add<framework::ButtonControl>(
            QStringLiteral("?BUTTON5"), DialogRect { 128, 116, 56, 14 }, QStringLiteral("Opciones"));
        save_ = &add<framework::ButtonControl>(
            QStringLiteral("?BUTTON1"), DialogRect { 188, 116, 59, 14 }, QStringLiteral("Guardar Imagen"));
        showConnected(false);
    }

    bool written() const { return written_; }
    // After the window has closed, whichever way: lets go of the camera.
    void releaseDevice() { connection_.reset(); }

protected:
    void onOpened() override
    {
        std::vector<QStringList> rows;
        for (const QString& name : platform::CaptureDeviceService::current().names().mid(0, kListedDevices))
            rows.push_back({ name });
        devices_->setRows(rows);
        if (!rows.empty())
            devices_->setCurrentRow(0);
    }

    int onAccepted(framework::Control& control) override
    {
        if (&control == connect_)
            connectDevice();
        else if (&control == disconnect_)
            disconnectDevice();
        else if (&control == options_)
            chooseOptions();
        else if (&control == save_)
            return savePhoto();
        return framework::handled::GoOn;
    }

private:
    void showConnected(bool connected)
    {
        disconnect_->setEnabled(connected);
        options_->setEnabled(connected);
    }

    // Always the first device, whichever row is highlighted.
    void connectDevice()
    {
        if (devices_->rowCount() == 0) {
            framework::showMessage(QStringLiteral("No hay ninguna cámara conectada a la computadora."));
            return;
        }
        connection_ = platform::CaptureDeviceService::current().connect(0);
        if (!connection_) {
            framework::showMessage(QStringLiteral("No se pudo conectar la cámara."));
            return;
        }
        connection_->onPicture([this] { preview_->show(connection_->picture()); });
        showConnected(true);
    }

    void disconnectDevice()
    {
        connection_.reset();
        showConnected(false);
    }

    void chooseOptions()
    {
        if (!connection_)
            return;
        const QStringList formats = connection_->formats();
        if (formats.isEmpty()) {
            framework::showMessage(QStringLiteral("La cámara no ofrece formatos para elegir."));
            return;
        }
        const int chosen = chooseFormat(widget(), formats, connection_->currentFormat());
        if (chosen >= 0 && connection_)
            connection_->setFormat(chosen);
    }

    // The picture shown goes to the photo's file; with none shown yet nothing is written, so
    // an earlier photo of the patient is never replaced by a blank one.
    int savePhoto()
    {
        const QImage picture = connection_ ? connection_->picture() : QImage();
        const QString path = QDir::current().filePath(baseName_.trimmed() + QStringLiteral(".jpg"));
        written_ = writeJpeg(picture, path);
        if (!written_)
            framework::showMessage(
                QString::fromUtf8(kPhotoNotWritten), { QStringLiteral("error"), QMessageBox::Question });
        QApplication::beep();
        return framework::handled::EndLoop;
    }

    QString baseName_;
    CapturePreview* preview_ = nullptr;
    framework::ListControl* devices_ = nullptr;
    framework::ButtonControl* connect_ = nullptr;
    framework::ButtonControl* disconnect_ = nullptr;
    framework::ButtonControl* options_ = nullptr;
    framework::ButtonControl* save_ = nullptr;
    std::unique_ptr<platform::CaptureConnection> connection_;
    bool written_ = false;
};

} // namespace

bool Camera(const QString& photoBaseName)
{
    CameraWindow window(photoBaseName);
    window.run();
    window.releaseDevice();
    framework::currentThread().CallResponse = Cancelled;
    return window.written();
}

} // namespace nidora::clinical
