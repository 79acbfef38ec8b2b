#pragma once

#include "platform/PlatformService.h"

#include <QUrl>

namespace nidora::platform {

// Hands a file or an address to the program the desktop associates with it.
class ShellLauncher {
public:
    virtual ~ShellLauncher() = default;

    // False when no program took it.
    virtual bool open(const QUrl& target) = 0;
};

class DesktopShellLauncher final : public ShellLauncher {
public:
    bool open(const QUrl& target) override;
};

using ShellLauncherService = PlatformService<ShellLauncher, DesktopShellLauncher>;

} // namespace nidora::platform
