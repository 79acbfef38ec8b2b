#include "platform/ShellLauncher.h"

#include <QDesktopServices>

namespace nidora::platform {

bool DesktopShellLauncher::open(const QUrl& target)
{
    return QDesktopServices::openUrl(target);
}

} // namespace nidora::platform
