#include "views/RecordWindowsTest.h"

#include "practice/FreeSlots.h"

#include "data/Dictionary.h"
#include "views/DictionarySetup.h"

#include <gmock/gmock.h>

#include <limits>

namespace nidora::practice {
namespace {

using data::AGENDA;
using nidora::test::doctor;

constexpr std::int32_t kQuarter = 15 * timePerMinute;

std::int32_t at(int hour, int minute = 0)
{
    return makeTime(hour, minute);
}

// Monday 1 February 2010 and the Tuesday after it.
const Date kMonday = makeDate(2010, 2, 1);
const Date kTuesday = kMonday + 1;

// Mondays from 08:00 to 12:00 and from 16:00 to 20:00, every 15 minutes; no other day.
WorkingHours usualHours()
{
    WorkingHours hours;
    hours.at(1, 1) = at(8);
    hours.at(2, 1) = at(12);
    hours.at(3, 1) = at(16);
    hours.at(4, 1) = at(20);
    hours.INTERVALO = kQuarter;
    return hours;
}

TEST(SlotTimes, ARunIncludesBothEndsAndStopsWhereItLeavesTheDay)
{
    struct Case {
        const char* what;
        std::int64_t from;
        std::int64_t to;
        std::int64_t step;
        std::size_t count;
        std::int32_t first;
        std::int32_t last;
    };
    const Case cases[] = {
        { "08:00 to 12:00", at(8), at(12), kQuarter, 17, at(8), at(12) },
        { "to before from", at(12), at(8), kQuarter, 0, 0, 0 },
        { "from 0: 0 skipped, a hundredth before each quarter", 0, at(12), kQuarter, 48, 90000, 4320000 },
        { "a negative step runs downwards", at(12), at(8), -kQuarter, 17, at(12), at(8) },
        { "a huge step gives the start only", at(8), at(12), std::numeric_limits<std::int32_t>::max(), 1,
            at(8), at(8) },
        { "a \"to\" past the day's end", at(23), 99'999'999, kQuarter, 4, at(23), at(23, 45) },
        { "a negative step below midnight", at(0, 30), -99'999'999, -kQuarter, 3, at(0, 30), at(0) },
        { "a start past the day's end", 99'999'999, 199'999'999, kQuarter, 0, 0, 0 },
        { "no step", at(8), at(12), 0, 0, 0, 0 },
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.what);
        const std::vector<std::int32_t> times = runTimes(each.from, each.to, each.step);
        ASSERT_EQ(times.size(), each.count);
        if (times.empty())
            continue;
        EXPECT_EQ(times.front(), each.first);
        EXPECT_EQ(times.back(), each.last);
        for (const std::int32_t time : times)
            EXPECT_TRUE(time >= midnight && time <= maxTime) << time;
    }
}

TEST(SlotTimes, ADayTakesItsWeekdaysMorningThenAfternoon)
{
    const WorkingHours hours = usualHours();
    const std::vector<std::int32_t> monday = slotTimes(hours, kMonday);
    ASSERT_EQ(monday.size(), 34u);
    EXPECT_EQ(monday[16], at(12));
    EXPECT_EQ(monday[17], at(16));
    EXPECT_TRUE(slotTimes(hours, kTuesday).empty());
    // No date has no weekday, so no hours.
    EXPECT_TRUE(slotTimes(hours, noDate).empty());
}

TEST(SlotTimes, AnIntervalOfZeroStepsByAQuarterHour)
{
    WorkingHours hours = usualHours();
    hours.INTERVALO = 0;
    EXPECT_EQ(slotStep(0), kQuarter);
    EXPECT_EQ(slotTimes(hours, kMonday), slotTimes(usualHours(), kMonday));
}

class FreeSlotsTest : public views::test::RecordWindowsTest {
protected:
    FreeSlotsTest()
    {
        EXPECT_EQ(dictionary.access<AGENDA>().open(), data::AccessResult::Ok);
        EXPECT_EQ(dictionary.access(data::FileId::MEDICOS).open(), data::AccessResult::Ok);
    }
    ~FreeSlotsTest() override
    {
        dictionary.access<AGENDA>().close();
        dictionary.access(data::FileId::MEDICOS).close();
    }
    void threeDoctors()
    {
        store(doctor(1, "Pérez"));
        store(doctor(2, "Gómez"));
        store(doctor(3, "Núñez"));
    }
    int generate(Date day = kMonday) { return generateFreeSlots(dictionary, usualHours(), day); }
    std::vector<AGENDA> slotsOf(std::uint8_t doctorNumber)
    {
        std::vector<AGENDA> made;
        for (const AGENDA& slot : all<AGENDA>())
            if (slot.MEDICO == doctorNumber)
                made.push_back(slot);
        return made;
    }

    data::Dictionary& dictionary = views::threadDictionary();
};

TEST_F(FreeSlotsTest, EveryDoctorGetsAFreeSlotAtEveryStepOfTheDayOnce)
{
    threeDoctors();
    EXPECT_EQ(generate(), 102);
    const std::vector<AGENDA> made = all<AGENDA>();
    ASSERT_EQ(made.size(), 102u);
    for (const AGENDA& slot : made) {
        EXPECT_EQ(slot.FECHA, kMonday);
        EXPECT_EQ(slot.PACIENTE, 0);
        EXPECT_TRUE(slot.NOMBRE.trimmed().isEmpty());
        EXPECT_TRUE(slot.COMENTARIOS.trimmed().isEmpty());
    }
    EXPECT_EQ(slotsOf(2).size(), 34u);
    EXPECT_EQ(generate(), 0) << "a second showing adds nothing";
    EXPECT_EQ(all<AGENDA>().size(), 102u);
}

TEST_F(FreeSlotsTest, BookedAndOffGridAppointmentsStayAsTheyAre)
{
    store(doctor(1, "Pérez"));
    AGENDA booked;
    booked.FECHA = kMonday;
    booked.HORA = at(8, 15);
    booked.MEDICO = 1;
    booked.PACIENTE = 7;
    booked.NOMBRE = QStringLiteral("Ana");
    store(booked);
    AGENDA offGrid = booked;
    offGrid.HORA = at(10, 7);
    offGrid.NOMBRE = QStringLiteral("Luis");
    store(offGrid);
    EXPECT_EQ(generate(), 33);
    const std::vector<AGENDA> made = all<AGENDA>();
    ASSERT_EQ(made.size(), 35u);
    EXPECT_EQ(made[0].NOMBRE, QStringLiteral("Ana"));
    EXPECT_EQ(made[1].NOMBRE, QStringLiteral("Luis"));
    EXPECT_EQ(made[1].HORA, at(10, 7));
}

TEST_F(FreeSlotsTest, NoDoctorsNoHoursOrNoDateGiveNothing)
{
    EXPECT_EQ(generate(), 0);
    store(doctor(1, "Pérez"));
    EXPECT_EQ(generate(kTuesday), 0);
    EXPECT_EQ(generate(noDate), 0);
    EXPECT_TRUE(all<AGENDA>().empty());
}

TEST_F(FreeSlotsTest, AHugeIntervalEndsTheRunAtTheEndOfTheDay)
{
    store(doctor(1, "Pérez"));
    WorkingHours hours = usualHours();
    hours.at(2, 1) = std::numeric_limits<std::int32_t>::max();
    hours.INTERVALO = 7 * timePerHour;
    // 08:00, 15:00 and 22:00, then 16:00 alone in the afternoon.
    EXPECT_EQ(generateFreeSlots(dictionary, hours, kMonday), 4);
}

} // namespace
} // namespace nidora::practice
