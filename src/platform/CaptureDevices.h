#pragma once

#include "platform/PlatformService.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The video-capture devices (webcams) of this computer, as the photo window uses them: their
// names, and a connection to one that delivers its live pictures. Tests put a double in place of
// the desktop's devices (CaptureDeviceService::Override); a machine without a camera lists none.
namespace nidora::platform {

// One connected device: delivers pictures until it is destroyed, which disconnects it.
class CaptureConnection {
public:
    virtual ~CaptureConnection() = default;

    // The newest picture; null until the device has delivered one.
    virtual QImage picture() const = 0;
    // Runs after each new picture, on the GUI thread.
    virtual void onPicture(std::function<void()> changed) = 0;

    // The picture formats the device offers ("640 × 480, 30 imágenes/s"), the one in use, and
    // the choice of another; a device that offers none lists none.
    virtual QStringList formats() const = 0;
    virtual int currentFormat() const = 0;
    virtual void setFormat(int index) = 0;
};

class CaptureDevices {
public:
    virtual ~CaptureDevices() = default;
    virtual QStringList names() const = 0;
    // Connects the device at that index of names() and starts its pictures; null when it
    // cannot be connected.
    virtual std::unique_ptr<CaptureConnection> connect(int index) = 0;
};

// The desktop's cameras through Qt Multimedia.
class DesktopCaptureDevices final : public CaptureDevices {
public:
    QStringList names() const override;
    std::unique_ptr<CaptureConnection> connect(int index) override;
};

using CaptureDeviceService = PlatformService<CaptureDevices, DesktopCaptureDevices>;

} // namespace nidora::platform
