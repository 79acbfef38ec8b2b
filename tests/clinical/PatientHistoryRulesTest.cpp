#include "clinical/PatientHistoryRules.h"

#include "data/AccessTestFixture.h"
#include "data/ClinicalRecords.h"

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::FileId;
using data::PLANVACUNACION;
using data::VACUNACION;
using testing::ElementsAre;

struct AgeCase {
    Date birth;
    Date observed;
    MilestoneAge age;
};

class MilestoneAges : public testing::TestWithParam<AgeCase> { };

TEST_P(MilestoneAges, CountWholeYearsAndTheMonthsLeftByTheCalendarAlone)
{
    EXPECT_EQ(milestoneAge(GetParam().birth, GetParam().observed), GetParam().age);
}

INSTANTIATE_TEST_SUITE_P(BirthAndMilestone, MilestoneAges,
    testing::Values(AgeCase { makeDate(2020, 3, 15), makeDate(2021, 3, 14), { 1, 0 } },
        AgeCase { makeDate(2021, 5, 20), makeDate(2022, 4, 1), { 0, 11 } },
        AgeCase { makeDate(2021, 5, 20), noDate, { 0, 0 } },
        AgeCase { noDate, makeDate(2022, 4, 1), { 0, 0 } },
        AgeCase { makeDate(2021, 5, 20), makeDate(2019, 7, 1), { -2, 2 } }));

PLANVACUNACION planRow(
    const char* plan, int years, int months, int days, const char* vaccine, const char* dose)
{
    PLANVACUNACION row;
    row.CODIGO = QString::fromUtf8(plan);
    row.ANIOS = std::uint8_t(years);
    row.MESES = std::uint8_t(months);
    row.DIAS = std::uint8_t(days);
    row.VACUNA = QString::fromUtf8(vaccine);
    row.DOSIS = QString::fromUtf8(dose);
    return row;
}

struct PlannedCase {
    Date birth;
    int years;
    int months;
    int days;
    Date planned;
};

class PlannedDates : public testing::TestWithParam<PlannedCase> { };

TEST_P(PlannedDates, RunOnPastTheEndOfTheMonthTheBirthDayFallsIn)
{
    const PlannedCase& c = GetParam();
    EXPECT_EQ(plannedDate(c.birth, planRow("A", c.years, c.months, c.days, "BCG", "1")), c.planned);
}

INSTANTIATE_TEST_SUITE_P(BirthAndPlanRow, PlannedDates,
    testing::Values(PlannedCase { makeDate(2021, 1, 31), 0, 1, 0, makeDate(2021, 3, 3) },
        PlannedCase { makeDate(2020, 1, 31), 0, 1, 0, makeDate(2020, 3, 2) },
        PlannedCase { makeDate(2020, 12, 31), 0, 2, 0, makeDate(2021, 3, 3) },
        PlannedCase { makeDate(2020, 12, 31), 0, 4, 0, makeDate(2021, 5, 1) },
        PlannedCase { makeDate(2020, 12, 31), 1, 12, 10, makeDate(2022, 12, 31) + 10 },
        PlannedCase { makeDate(2021, 6, 15), 0, 0, 0, makeDate(2021, 6, 15) }));

class PlannedVaccinationsTest : public data::test::AccessTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(FileId::VACUNACION).open(), data::AccessResult::Ok);
        ASSERT_EQ(access(FileId::PLANVACUNACION).open(), data::AccessResult::Ok);
        store(planRow("A", 0, 4, 0, "Sabin", "2ª"));
        store(planRow("A", 0, 2, 0, "Sabin", "1ª"));
        store(planRow("B", 0, 2, 0, "Otra", "1ª"));
        patient.CODIGO = 7;
        patient.PLANVACUNACION = "A";
        patient.FNACIMIENTO = makeDate(2020, 12, 31);
    }
    std::vector<std::pair<Date, QString>> planned()
    {
        std::vector<std::pair<Date, QString>> rows;
        for (const VACUNACION& each : all<VACUNACION>())
            rows.emplace_back(each.FECHAPROG, each.VACUNA + QLatin1Char(' ') + each.DOSIS);
        return rows;
    }

    data::PACIENTES patient;
};

TEST_F(PlannedVaccinationsTest, EveryRowOfThePlanGivesADoseOnceAndAgainAddsNothing)
{
    EXPECT_EQ(generatePlannedVaccinations(data, patient), 2);
    EXPECT_THAT(planned(),
        ElementsAre(std::pair { makeDate(2021, 3, 3), QStringLiteral("Sabin 1ª") },
            std::pair { makeDate(2021, 5, 1), QStringLiteral("Sabin 2ª") }));
    for (const VACUNACION& each : all<VACUNACION>()) {
        EXPECT_EQ(each.PACIENTE, 7);
        EXPECT_EQ(each.FECHAREAL, noDate);
    }
    EXPECT_EQ(generatePlannedVaccinations(data, patient), 0);
    EXPECT_EQ(all<VACUNACION>().size(), 2u);
}

TEST_F(PlannedVaccinationsTest, APlanWithoutRowsOrAPatientWithoutBirthDateGivesNothing)
{
    patient.PLANVACUNACION = "Z";
    EXPECT_EQ(generatePlannedVaccinations(data, patient), 0);
    patient.PLANVACUNACION = "A";
    patient.FNACIMIENTO = noDate;
    EXPECT_EQ(generatePlannedVaccinations(data, patient), 0);
    EXPECT_TRUE(all<VACUNACION>().empty());
}

} // namespace
} // namespace nidora::clinical
