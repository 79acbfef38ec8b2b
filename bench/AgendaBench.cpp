// The agenda over a busy practice: 9 doctors with 34 slots a day each, and 500,000 slots
// already stored (about five years of days). Showing a day must take under 100 ms whether its
// slots are made then (a day never shown) or are there already, measured through the real
// window on its own logical thread, from the start of its procedure to its first page painted.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "core/Clock.h"
#include "data/ReferenceRecords.h"
#include "framework/Scheduler.h"
#include "platform/PracticeSettings.h"
#include "practice/BrowseAGENDA.h"
#include "practice/FreeSlots.h"
#include "practice/WorkingHours.h"
#include "views/ProgramGlobals.h"

#include <QAbstractItemView>
#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using namespace nidora;

constexpr int kDoctors = 9;
constexpr std::int32_t kStoredSlots = 500'000;
constexpr int kSlotsPerDay = 34 * kDoctors;
const Date kFirstDay = makeDate(2010, 1, 1);

// Every day from 08:00 to 12:00 and from 16:00 to 20:00, every 15 minutes.
practice::WorkingHours everyDay()
{
    practice::WorkingHours hours;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        hours.at(1, weekday) = makeTime(8, 0);
        hours.at(2, weekday) = makeTime(12, 0);
        hours.at(3, weekday) = makeTime(16, 0);
        hours.at(4, weekday) = makeTime(20, 0);
    }
    hours.INTERVALO = 15 * timePerMinute;
    return hours;
}

// The stored slots, day after day from kFirstDay, as the agenda would have made them.
data::AGENDA storedSlot(std::int32_t i)
{
    static const std::vector<std::int32_t> times = practice::slotTimes(everyDay(), kFirstDay);
    const std::int32_t index = i - 1;
    data::AGENDA slot;
    slot.FECHA = kFirstDay + index / kSlotsPerDay;
    slot.MEDICO = std::uint8_t(1 + index % kSlotsPerDay / 34);
    slot.HORA = times[std::size_t(index % 34)];
    if (index % 3 == 0) {
        slot.PACIENTE = 1 + index % 1000;
        slot.NOMBRE = QStringLiteral("PACIENTE ") + QString::number(slot.PACIENTE);
    }
    return slot;
}

struct BusyAgenda {
    BusyAgenda()
    {
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        agendaFile = bench::fill(data::FileId::AGENDA, kStoredSlots, storedSlot, "slots");
        doctors = bench::fill(
            data::FileId::MEDICOS, kDoctors,
            [](std::int32_t code) {
                data::MEDICOS doctor;
                doctor.CODIGO = std::uint8_t(code);
                doctor.NOMBRE = QStringLiteral("DOCTOR ") + QString::number(code);
                return doctor;
            },
            "doctors");
        data::DataFile::createEmpty(data::fileDesc(data::FileId::TABENFERMED));
        practice::writeWorkingHours(everyDay());
        views::AppGlobals.CurrentPhysician = 1;
        lastStoredDay = kFirstDay + (kStoredSlots - 1) / kSlotsPerDay;
    }
    ~BusyAgenda() { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
    std::unique_ptr<data::DataFile> agendaFile;
    std::unique_ptr<data::DataFile> doctors;
    Date lastStoredDay = 0;
};

BusyAgenda& agenda()
{
    static BusyAgenda shared;
    return shared;
}

QAbstractItemView* shownList()
{
    for (QWidget* each : QApplication::allWidgets())
        if (each->objectName() == QStringLiteral("?BROWSE:1") && each->isVisible()
            && each->window()->windowTitle() == QStringLiteral("Agenda"))
            return static_cast<QAbstractItemView*>(each);
    return nullptr;
}

// The agenda opened on a day, from the start of its procedure to its first page painted.
double openOn(Date day)
{
    Clock::Fixed fixed(QDateTime(toQDate(day), QTime(9, 0)));
    bool ended = false;
    const bench::Clock::time_point start = bench::Clock::now();
    framework::StartOnNewThread(
        [&] {
            practice::BrowseAGENDA();
            ended = true;
        },
        25'000);
    QAbstractItemView* table = nullptr;
    while (!(table = shownList()) || table->model()->rowCount() == 0)
        QCoreApplication::processEvents();
    table->repaint();
    const double taken = std::chrono::duration<double>(bench::Clock::now() - start).count();
    table->window()->close();
    while (!ended)
        QCoreApplication::processEvents();
    return taken;
}

// A day never shown before: its 306 free slots are made first.
void AgendaNewDayNineDoctors(benchmark::State& state)
{
    Date day = agenda().lastStoredDay;
    for (auto _ : state)
        state.SetIterationTime(openOn(++day));
}
BENCHMARK(AgendaNewDayNineDoctors)->UseManualTime()->Unit(benchmark::kMillisecond);

// A day whose slots are stored already, among the 500,000.
void AgendaStoredDay(benchmark::State& state)
{
    Date day = kFirstDay + 100;
    for (auto _ : state)
        state.SetIterationTime(openOn(day++));
}
BENCHMARK(AgendaStoredDay)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
