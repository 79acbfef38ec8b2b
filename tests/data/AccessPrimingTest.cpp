#include "AccessTestFixture.h"

#include <gmock/gmock.h>

namespace nidora::data::test {
namespace {

using core::Answer;
using testing::ElementsAre;

class AccessPrimingTest : public AccessTest {
protected:
    AccessObject& patients() { return access(FileId::PACIENTES); }
    PACIENTES& patientBuffer() { return data.buffer<PACIENTES>(); }
};

TEST_F(AccessPrimingTest, EmptyFileGivesCodeOneAddedAtOnceWithTheInitialValues)
{
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    patientBuffer().NOMBRE = QStringLiteral("left over");
    ASSERT_EQ(patients().prime(), AccessResult::Ok);

    EXPECT_EQ(patientBuffer().CODIGO, 1);
    EXPECT_TRUE(patients().numbered());
    const auto stored = all<PACIENTES>();
    ASSERT_EQ(stored.size(), 1u);
    const PACIENTES& p = stored.front();
    EXPECT_EQ(p.CODIGO, 1);
    EXPECT_EQ(p.NOMBRE, QString());
    EXPECT_EQ(p.MEDICO, 1);
    EXPECT_EQ(p.SEXO, QStringLiteral("M"));
    EXPECT_EQ(p.TIPODOCUMENTO, QStringLiteral("DI"));
    EXPECT_EQ(p.PLANVACUNACION, QStringLiteral("A"));
    EXPECT_EQ(p.NROGESTACION, 1);
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(AccessPrimingTest, PrimingAgainBeforeTheFirstIsConfirmedGivesTheNextCode)
{
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    EXPECT_EQ(patientBuffer().CODIGO, 2);
    EXPECT_EQ(count<PACIENTES>(), 2u);
}

TEST_F(AccessPrimingTest, NumberIsOneAboveTheHighestEvenWhenLowerOnesAreFree)
{
    store(consultation(3, 0));
    store(consultation(41, 0));
    AccessObject& consultations = access(FileId::CONSULTAS);
    ASSERT_EQ(consultations.open(), AccessResult::Ok);
    ASSERT_EQ(consultations.prime(), AccessResult::Ok);
    const CONSULTAS& c = data.buffer<CONSULTAS>();
    EXPECT_EQ(c.CODIGO, 42);
    EXPECT_EQ(c.MOTIVO, QStringLiteral("CONTROL"));
    EXPECT_EQ(c.MEDICO, 1);
}

TEST_F(AccessPrimingTest, GrowthTableNumbersByMonthAndKeepsAnAgeZeroRow)
{
    TABCRECIMIENTO row;
    row.EDAD = 72;
    store(row);
    AccessObject& growth = access(FileId::TABCRECIMIENTO);
    ASSERT_EQ(growth.open(), AccessResult::Ok);
    ASSERT_EQ(growth.prime(), AccessResult::Ok);
    EXPECT_EQ(data.buffer<TABCRECIMIENTO>().EDAD, 73);

    // Edited down to age 0 before it is confirmed: the row keeps the age it was given.
    data.buffer<TABCRECIMIENTO>().EDAD = 0;
    ASSERT_EQ(growth.insert(), AccessResult::Ok);
    std::vector<int> ages;
    for (const auto& r : all<TABCRECIMIENTO>())
        ages.push_back(r.EDAD);
    EXPECT_THAT(ages, ElementsAre(72, 0));
}

TEST_F(AccessPrimingTest, UnnumberedFilesOnlyClearAndSetTheirInitialValues)
{
    AccessObject& plans = access(FileId::PLANVACUNACION);
    ASSERT_EQ(plans.open(), AccessResult::Ok);
    data.buffer<PLANVACUNACION>().VACUNA = QStringLiteral("BCG");
    ASSERT_EQ(plans.prime(), AccessResult::Ok);
    EXPECT_EQ(data.buffer<PLANVACUNACION>().CODIGO, QStringLiteral("A"));
    EXPECT_EQ(data.buffer<PLANVACUNACION>().VACUNA, QString());
    EXPECT_FALSE(plans.numbered());
    EXPECT_EQ(count<PLANVACUNACION>(), 0u);

    data.buffer<PLANVACUNACION>().VACUNA = QStringLiteral("BCG");
    ASSERT_EQ(plans.prime(true), AccessResult::Ok);
    EXPECT_EQ(data.buffer<PLANVACUNACION>().VACUNA, QStringLiteral("BCG"));
}

TEST_F(AccessPrimingTest, ConfirmingWritesOverThePrimedRecordKeepingItsCode)
{
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    patientBuffer().NOMBRE = QStringLiteral("Ana");
    ASSERT_EQ(patients().insert(), AccessResult::Ok);
    EXPECT_FALSE(patients().numbered());

    const auto stored = all<PACIENTES>();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored.front().CODIGO, 1);
    EXPECT_EQ(stored.front().NOMBRE, QStringLiteral("Ana"));
}

TEST_F(AccessPrimingTest, CancelledInsertRemovesTheRecordAndGivesItsNumberToTheNextInsert)
{
    store(patient(6, "Luis"));
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    ASSERT_EQ(patientBuffer().CODIGO, 7);
    patientBuffer().NOMBRE = QStringLiteral("typed, then cancelled");

    ASSERT_EQ(patients().cancelNumbering(), AccessResult::Ok);
    EXPECT_FALSE(patients().numbered());
    EXPECT_EQ(count<PACIENTES>(), 1u);
    EXPECT_EQ(patientBuffer().NOMBRE, QStringLiteral("typed, then cancelled"));

    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    EXPECT_EQ(patientBuffer().CODIGO, 7);
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(AccessPrimingTest, OpeningTheFileAnewClearsTheNumberedFlag)
{
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    patients().close();
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    EXPECT_FALSE(patients().numbered());
    // Nothing to cancel any more: the primed record stays.
    EXPECT_EQ(patients().cancelNumbering(), AccessResult::Ok);
    EXPECT_EQ(count<PACIENTES>(), 1u);
}

TEST_F(AccessPrimingTest, TwoThreadsPrimingAtOnceReceiveDifferentCodes)
{
    Dictionary other { errors };
    ASSERT_EQ(patients().open(), AccessResult::Ok);
    ASSERT_EQ(other.access(FileId::PACIENTES).open(), AccessResult::Ok);

    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    ASSERT_EQ(other.access(FileId::PACIENTES).prime(), AccessResult::Ok);
    EXPECT_EQ(patientBuffer().CODIGO, 1);
    EXPECT_EQ(other.buffer<PACIENTES>().CODIGO, 2);

    // Each confirms its own record.
    patientBuffer().NOMBRE = QStringLiteral("first");
    other.buffer<PACIENTES>().NOMBRE = QStringLiteral("second");
    ASSERT_EQ(other.access(FileId::PACIENTES).insert(), AccessResult::Ok);
    ASSERT_EQ(patients().insert(), AccessResult::Ok);
    const auto stored = all<PACIENTES>();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].NOMBRE, QStringLiteral("first"));
    EXPECT_EQ(stored[1].NOMBRE, QStringLiteral("second"));
}

// A deleted patient's appointments keep his code. Numbering by the highest patient alone
// would give that code to the next child, who would inherit the appointments.
TEST_F(AccessPrimingTest, NextPatientCodeIsAboveEveryCodeTheAgendaStillCarries)
{
    store(patient(4, "Ana"));
    store(patient(5, "Luis"));
    AGENDA slot;
    slot.FECHA = 80000;
    slot.HORA = 1;
    slot.PACIENTE = 5;
    slot.MEDICO = 1;
    store(slot);

    RelationObject& relation = data.relation(FileId::PACIENTES);
    ASSERT_EQ(relation.open(), AccessResult::Ok);
    patientBuffer().CODIGO = 5;
    ASSERT_EQ(patients().fetch(patients().key("PAC:KCODIGO")), AccessResult::Ok);
    ASSERT_EQ(relation.deleteRecord(false), AccessResult::Ok);
    ASSERT_EQ(count<AGENDA>(), 1u);

    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    EXPECT_EQ(patientBuffer().CODIGO, 6);
    // A cancelled insert still gives its number to the next one.
    ASSERT_EQ(patients().cancelNumbering(), AccessResult::Ok);
    ASSERT_EQ(patients().prime(), AccessResult::Ok);
    EXPECT_EQ(patientBuffer().CODIGO, 6);
}

// Doctor codes are one byte: once 255 is taken every attempt fails (a further code would
// wrap to 0, a blank key). Three failures ask message 35; Yes makes three more attempts.
TEST_F(AccessPrimingTest, NumberingThatKeepsFailingAsksAfterEveryThirdAttempt)
{
    MEDICOS last;
    last.CODIGO = 255;
    store(last);
    AccessObject& doctors = access(FileId::MEDICOS);
    ASSERT_EQ(doctors.open(), AccessResult::Ok);
    presenter.answer(Answer::Yes).answer(Answer::No);

    EXPECT_EQ(doctors.prime(), AccessResult::Failed);
    EXPECT_THAT(shownNumbers(), ElementsAre(35, 35));
    EXPECT_EQ(lastShown().title, QStringLiteral("Auto Increment Error"));
    EXPECT_EQ(lastShown().text,
        QStringLiteral("Attempts to automatically number this record have failed.\nFile: MEDICOS\n"
                       "Key: MED:KCODIGO\nError: no number above 255 fits MED:CODIGO (0).\nTry Again?"));
    EXPECT_FALSE(doctors.numbered());
    EXPECT_EQ(count<MEDICOS>(), 1u);
}

} // namespace
} // namespace nidora::data::test
