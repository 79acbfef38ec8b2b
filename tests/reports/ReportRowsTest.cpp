#include "reports/ReportRows.h"

#include "data/AccessTestFixture.h"
#include "data/ScratchRecords.h"

#include "core/Clock.h"
#include "views/ProgramGlobals.h"

#include <QFileInfo>

#include <gmock/gmock.h>

namespace nidora::reports {
namespace {

using data::FileId;
using data::OUTPUT;
using testing::ElementsAre;
using testing::Pair;
using views::AppGlobals;

// The rows the filling prompts compute, on a small practice laid out on disk, read back in the
// order of the key their report reads.
class ReportRowsTest : public data::test::AccessTest {
protected:
    ReportRowsTest() { AppGlobals = views::ProgramGlobals {}; }
    ~ReportRowsTest() override
    {
        dropOwnOutput(data);
        AppGlobals = views::ProgramGlobals {};
    }

    // Fills this thread's own OUTPUT (a copy of its own, claimed by the first fill) with the
    // prompt's rows.
    bool fill(const std::function<bool(data::Dictionary&, data::AccessObject&)>& write)
    {
        return refillOutput(data, [&](data::AccessObject& output) { return write(data, output); });
    }

    // Every row of the thread's OUTPUT in the order of a key.
    std::vector<OUTPUT> rowsBy(const char* key)
    {
        std::vector<OUTPUT> rows;
        data::AccessObject& output = access(FileId::OUTPUT);
        EXPECT_EQ(output.open(), data::AccessResult::Ok);
        output.setOrder(&output.key(key));
        while (output.next() == data::AccessResult::Ok)
            rows.push_back(data.buffer<OUTPUT>());
        output.close();
        return rows;
    }

    static data::PACIENTES born(std::int32_t code, const char* name, Date birth)
    {
        data::PACIENTES p = data::test::patient(code, name);
        p.FNACIMIENTO = birth;
        return p;
    }
};

TEST_F(ReportRowsTest, GrowthRowsAreTheBirthAndEachConsultationThatMeasured)
{
    data::PACIENTES baby = born(7, "Ana", makeDate(2010, 5, 1));
    baby.PESO = 3200;
    baby.ALTURA = 50;
    baby.PC = 3450;
    store(baby);
    store(data::test::patient(8, "Otro"));
    data::CONSULTAS weighed = data::test::consultation(1, 7);
    weighed.FECHA = makeDate(2010, 8, 1);
    weighed.PESO = 6150;
    weighed.ANIOS = 0;
    weighed.MESES = 3;
    weighed.DIAS = 0;
    data::CONSULTAS nothing = data::test::consultation(2, 7);
    nothing.FECHA = makeDate(2010, 9, 1);
    data::CONSULTAS other = data::test::consultation(3, 8);
    other.PESO = 9000;
    for (const auto& c : { weighed, nothing, other })
        store(c);
    ASSERT_EQ(data.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);
    AppGlobals.SELECTPACIENTE = 7;

    ASSERT_TRUE(fill(writeGrowthRows));

    const std::vector<OUTPUT> rows = rowsBy("OUT:K4");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].LONG1, makeDate(2010, 5, 1));
    EXPECT_DOUBLE_EQ(rows[0].REAL1, 3.2);
    EXPECT_DOUBLE_EQ(rows[0].REAL2, 50);
    EXPECT_DOUBLE_EQ(rows[0].REAL3, 34.5);
    EXPECT_THAT((std::vector<int> { rows[0].SHORT1, rows[0].SHORT2, rows[0].SHORT3 }), ElementsAre(0, 0, 0));
    EXPECT_EQ(rows[1].LONG1, makeDate(2010, 8, 1));
    EXPECT_DOUBLE_EQ(rows[1].REAL1, 6.15);
    EXPECT_DOUBLE_EQ(rows[1].REAL2, 0);
    EXPECT_THAT((std::vector<int> { rows[1].SHORT1, rows[1].SHORT2, rows[1].SHORT3 }), ElementsAre(0, 3, 0));
    EXPECT_EQ(data.buffer<data::PACIENTES>().NOMBRE, "Ana") << "the report heads its page with him";
    data.relation(FileId::PACIENTES).close();
}

TEST_F(ReportRowsTest, BloodGroupRowsTakeOnlyTheTickedKindsOfTheGroup)
{
    data::PACIENTES ana = data::test::patient(1, "Ana");
    ana.GRUPO = "A+";
    data::PACIENTES blas = data::test::patient(2, "Blas");
    blas.GRUPO = "0+";
    data::PACIENTES nameless = data::test::patient(3, "Cris");
    for (const auto& p : { ana, blas, nameless })
        store(p);
    data::MADRES marta;
    marta.NOMBRE = "Marta";
    marta.GRUPO = "a+"; // typed in lower case: the key compares without regard to case
    data::MADRES luisa;
    luisa.NOMBRE = "Luisa";
    luisa.GRUPO = "B-";
    store(marta);
    store(luisa);
    data::PADRES pedro;
    pedro.NOMBRE = "Pedro";
    pedro.GRUPO = "A+";
    store(pedro);
    ASSERT_EQ(data.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);

    const auto names = [&](PeopleTicked ticked) {
        EXPECT_TRUE(fill(
            [&](data::Dictionary& d, data::AccessObject& o) { return writeBloodGroupRows(d, o, ticked); }));
        std::vector<QString> listed;
        for (const OUTPUT& row : rowsBy("OUT:K1"))
            listed.push_back(row.STRING1);
        return listed;
    };
    AppGlobals.SELECTGRUPO = QStringLiteral("A+ ");
    EXPECT_THAT(names({ .mothers = true }), ElementsAre("Marta"));
    EXPECT_THAT(names({ true, true, true }), ElementsAre("Ana", "Marta", "Pedro"));
    EXPECT_TRUE(names({}).empty()) << "no box ticked fills nothing";
    AppGlobals.SELECTGRUPO = views::blankText(3);
    EXPECT_THAT(names({ .patients = true }), ElementsAre("Cris"))
        << "a blank group lists the people without one";
    data.relation(FileId::PACIENTES).close();
}

TEST_F(ReportRowsTest, AppointmentRowsHoldEverySlotOfTheDatesWithItsDoctor)
{
    const Date today = makeDate(2011, 3, 14);
    const auto slot = [](Date day, Time at, std::uint8_t doctor, std::int32_t patient) {
        data::AGENDA a;
        a.FECHA = day;
        a.HORA = at;
        a.MEDICO = doctor;
        a.PACIENTE = patient;
        return a;
    };
    store(slot(today, makeTime(9, 30), 2, 0));
    store(slot(today, makeTime(9, 0), 1, 7));
    store(slot(today, makeTime(9, 0), 2, 0));
    store(slot(today - 1, makeTime(9, 0), 1, 7));
    store(slot(today + 1, makeTime(8, 0), 1, 7));
    ASSERT_EQ(data.relation(FileId::AGENDA).open(), data::AccessResult::Ok);
    AppGlobals.DF = today;
    AppGlobals.HF = today;

    ASSERT_TRUE(fill(writeAppointmentRows));

    std::vector<std::tuple<Date, Time, int>> rows;
    for (const OUTPUT& row : rowsBy("OUT:K5"))
        rows.emplace_back(row.LONG1, row.LONG2, row.LONG3);
    EXPECT_THAT(rows,
        ElementsAre(std::tuple(today, makeTime(9, 0), 1), std::tuple(today, makeTime(9, 0), 2),
            std::tuple(today, makeTime(9, 30), 2)));
    data.relation(FileId::AGENDA).close();
}

TEST_F(ReportRowsTest, BirthdayRowsGiveTheDayAndTheAgeReachedThisYear)
{
    const Clock::Fixed march2011(QDateTime(QDate(2011, 3, 2), QTime(10, 0)));
    store(born(4, "Ana", makeDate(2009, 3, 15)));
    store(born(2, "Blas", makeDate(2005, 3, 15)));
    store(born(3, "Cris", makeDate(2009, 4, 1)));
    store(born(5, "Dora", noDate));
    ASSERT_EQ(data.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);
    AppGlobals.MES = 3;

    ASSERT_TRUE(fill(writeBirthdayRows));

    std::vector<std::tuple<int, int, QString, int, int>> rows;
    for (const OUTPUT& row : rowsBy("OUT:K3"))
        rows.emplace_back(row.SHORT1, row.LONG1, row.STRING1, row.LONG2, row.SHORT2);
    EXPECT_THAT(rows, ElementsAre(std::tuple(15, 2, "Blas", 6, 3), std::tuple(15, 4, "Ana", 2, 3)));
    data.relation(FileId::PACIENTES).close();
}

TEST_F(ReportRowsTest, CoverageRowsCollectEveryPatientOfTheCoverageWhateverHisCode)
{
    store(data::test::patient(1, "Ana", "OSDE"));
    store(data::test::patient(2, "Blas", "PAMI"));
    store(data::test::patient(3, "Cris", "OSDE"));
    for (const auto& [code, patient] :
        { std::pair { 10, 3 }, std::pair { 11, 2 }, std::pair { 12, 1 }, std::pair { 13, 3 } })
        store(data::test::consultation(code, patient));
    ASSERT_EQ(data.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);
    AppGlobals.SELECTOBRAS = QStringLiteral("OSDE").leftJustified(20);

    ASSERT_TRUE(fill(writeCoverageRows));

    std::vector<std::pair<int, QString>> rows;
    for (const OUTPUT& row : rowsBy("OUT:K1"))
        rows.emplace_back(row.LONG1, row.STRING1);
    EXPECT_THAT(rows, ElementsAre(Pair(10, "0000000010"), Pair(12, "0000000012"), Pair(13, "0000000013")));
    data.relation(FileId::PACIENTES).close();
}

TEST_F(ReportRowsTest, EachFillReplacesTheLastAndTwoThreadsFillCopiesOfTheirOwn)
{
    store(born(1, "Ana", makeDate(2009, 3, 15)));
    store(born(2, "Blas", makeDate(2009, 4, 15)));
    ASSERT_EQ(data.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);
    AppGlobals.MES = 3;
    ASSERT_TRUE(fill(writeBirthdayRows));
    ASSERT_TRUE(fill(writeBirthdayRows));
    EXPECT_EQ(rowsBy("OUT:K3").size(), 1u) << "the second fill replaces the first";

    // Another thread's prompt fills its own copy meanwhile.
    data::Dictionary other(errors);
    ASSERT_EQ(other.relation(FileId::PACIENTES).open(), data::AccessResult::Ok);
    AppGlobals.MES = 4;
    ASSERT_TRUE(
        refillOutput(other, [&](data::AccessObject& output) { return writeBirthdayRows(other, output); }));

    std::vector<QString> mine;
    for (const OUTPUT& row : rowsBy("OUT:K3"))
        mine.push_back(row.STRING1);
    EXPECT_THAT(mine, ElementsAre("Ana"));
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath(QStringLiteral("OUTPUT.QVM"))))
        << "the shared file is never used";
    const QString copy = other.access(FileId::OUTPUT).diskFileName();
    EXPECT_EQ(copy, QStringLiteral("OUTPU002.QVM")) << "the first copy is this thread's";
    EXPECT_TRUE(QFileInfo::exists(scratch.filePath(copy)));
    dropOwnOutput(other);
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath(copy))) << "a prompt's copy goes with it";
    other.relation(FileId::PACIENTES).close();
    data.relation(FileId::PACIENTES).close();
}

} // namespace
} // namespace nidora::reports
