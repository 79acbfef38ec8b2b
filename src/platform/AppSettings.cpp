#include "platform/AppSettings.h"

#include <QDir>
#include <QStandardPaths>

namespace nidora::platform {

AppSettings::AppSettings(QString fileName)
    : fileName_(std::move(fileName))
{
}

void AppSettings::open()
{
    filePath_ = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(fileName_);
    open_ = true;
}

void AppSettings::close()
{
    filePath_.clear();
    open_ = false;
}

} // namespace nidora::platform
