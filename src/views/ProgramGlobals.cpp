#include "views/ProgramGlobals.h"

#include "platform/IniFile.h"
#include "platform/PracticeSettings.h"

namespace nidora::views {

ProgramGlobals AppGlobals;

QString blankText(int length)
{
    return QString(length, QLatin1Char(' '));
}

std::uint8_t physicianFromSetting(const QString& value)
{
    const auto lowByte = static_cast<std::uint8_t>(platform::IniFile::toInt(value) & 0xFF);
    return lowByte < 1 ? 1 : lowByte;
}

std::uint8_t rereadCurrentPhysician()
{
    AppGlobals.CurrentPhysician
        = physicianFromSetting(platform::PracticeSettings::read(QStringLiteral("medico")));
    return AppGlobals.CurrentPhysician;
}

bool ProgramGlobals::hasRight(int right) const
{
    return right >= 1 && right <= kRights && AccessRights[std::size_t(right - 1)] != 0;
}

void ProgramGlobals::grantAllRights()
{
    AccessRights.fill(1);
}

} // namespace nidora::views
