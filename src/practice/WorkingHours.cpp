#include "practice/WorkingHours.h"

#include "platform/PracticeSettings.h"

namespace nidora::practice {
namespace {

// Each value with its key, in the order the settings file is read and written.
template <class Hours, class Visit> void inKeyOrder(Hours& hours, Visit visit)
{
    for (int weekday = 1; weekday <= WorkingHours::kWeekdays; ++weekday)
        for (int run = 1; run <= WorkingHours::kRuns; ++run)
            visit(QStringLiteral("horario%1%2").arg(run).arg(weekday), hours.at(run, weekday));
    visit(QStringLiteral("intervalo"), hours.INTERVALO);
}

} // namespace

WorkingHours AgendaHours;

std::vector<QString> workingHoursKeys()
{
    std::vector<QString> keys;
    inKeyOrder(std::as_const(AgendaHours), [&](const QString& key, std::int32_t) { keys.push_back(key); });
    return keys;
}

WorkingHours readWorkingHours()
{
    WorkingHours hours;
    inKeyOrder(hours,
        [](const QString& key, std::int32_t& value) { value = platform::PracticeSettings::readInt(key); });
    return hours;
}

bool writeWorkingHours(const WorkingHours& hours)
{
    platform::IniEntries entries;
    inKeyOrder(hours,
        [&](const QString& key, std::int32_t value) { entries.emplace_back(key, QString::number(value)); });
    return platform::PracticeSettings::write(entries);
}

} // namespace nidora::practice
