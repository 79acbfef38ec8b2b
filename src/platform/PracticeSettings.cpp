#include "platform/PracticeSettings.h"

#include <QDir>

namespace nidora::platform {
namespace {

IniFile settingsFile()
{
    return IniFile(PracticeSettings::filePath());
}

} // namespace

QString PracticeSettings::filePath()
{
    const QDir here = QDir::current();
    if (!here.exists(FileName)) {
        // Without QDir::CaseSensitive the name filter ignores case.
        const QStringList others = here.entryList({ FileName }, QDir::Files, QDir::Name);
        if (!others.isEmpty())
            return here.filePath(others.first());
    }
    return here.filePath(FileName);
}

QString PracticeSettings::read(const QString& key)
{
    return settingsFile().read(Section, key);
}

int PracticeSettings::readInt(const QString& key)
{
    return settingsFile().readInt(Section, key);
}

bool PracticeSettings::write(const QString& key, const QString& value)
{
    return settingsFile().write(Section, key, value);
}

bool PracticeSettings::write(const IniEntries& entries)
{
    return settingsFile().write(Section, entries);
}

bool PracticeSettings::writeInt(const QString& key, qint64 value)
{
    return settingsFile().writeInt(Section, key, value);
}

} // namespace nidora::platform
