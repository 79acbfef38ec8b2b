#include "PatientFormFixture.h"
#include "shell/CaseName.h"

#include "clinical/Procedures.h"
#include "framework/KeyCodes.h"

#include <QAbstractItemView>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::MADRES;
using data::NOTASIMPO;
using data::PACIENTES;
using data::PADRES;
using test::patient;
using test::ScriptedLookup;

MADRES mother(const char* name)
{
    MADRES made;
    made.NOMBRE = QString::fromUtf8(name);
    made.DOMICILIO = QStringLiteral("Calle de la Madre 1");
    made.TELEFONO = QStringLiteral("4321-0000");
    made.OBRASOCIAL = QStringLiteral("Alfa Salud");
    return made;
}

class PatientFormParentsTest : public test::PatientFormTest {
protected:
    // Patient 1 in a change form whose parents' lookups are the scripted ones.
    void changeWithLookups()
    {
        PatientFormLookups lookups;
        lookups.mothers = mothers.procedure();
        lookups.fathers = fathers.procedure();
        setPatientFormLookups(std::move(lookups));
        store(patient(1, "Pérez, Ana"));
        openForm(ChangeRecord, 1);
    }

    ScriptedLookup mothers;
    ScriptedLookup fathers;
};

// What the patient has before his mother's name is accepted, and what he has after.
struct CopyCase {
    const char* name;
    const char* address;
    const char* phone;
    const char* addressAfter;
    const char* phoneAfter;
};

void PrintTo(const CopyCase& c, std::ostream* out)
{
    *out << c.name;
}

class MothersValuesOnTheForm : public PatientFormParentsTest,
                               public testing::WithParamInterface<CopyCase> { };

TEST_P(MothersValuesOnTheForm, AcceptingHerNameFillsWhatThePatientLacks)
{
    store(mother("Gómez, Marta"));
    PACIENTES child = patient(1, "Pérez, Ana");
    child.DOMICILIO = QString::fromUtf8(GetParam().address);
    child.TELEFONO = QString::fromUtf8(GetParam().phone);
    store(child);
    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("gómez, marta"));
    driver.accept(QStringLiteral("?PAC:MADRE"));
    EXPECT_EQ(shown("?PAC:DOMICILIO"), QString::fromUtf8(GetParam().addressAfter));
    EXPECT_EQ(shown("?PAC:TELEFONO"), QString::fromUtf8(GetParam().phoneAfter));
    pressOk();
    const PACIENTES saved = storedPatient(1);
    EXPECT_EQ(saved.MADRE, "gómez, marta"); // found as typed: no lookup was needed
    EXPECT_EQ(saved.DOMICILIO, QString::fromUtf8(GetParam().addressAfter));
    EXPECT_EQ(saved.TELEFONO, QString::fromUtf8(GetParam().phoneAfter));
    EXPECT_EQ(saved.OBRASOCIAL, "Alfa Salud");
}

INSTANTIATE_TEST_SUITE_P(PatientsAddressAndPhone, MothersValuesOnTheForm,
    testing::Values(CopyCase { "BlankAddressAndPhone", "", "", "Calle de la Madre 1", "4321-0000" },
        CopyCase { "PhoneWithAreaCodeInParentheses", "San Martín 5", "(011) 4555-1234", "San Martín 5",
            "4321-0000" },
        CopyCase { "PhoneStartingWithADigit", "San Martín 5", "4555-1234", "San Martín 5", "4555-1234" }),
    shell::test::CaseName());

TEST_F(PatientFormParentsTest, NameNotOnFileWithNoLookupInstalledIsKeptAsTyped)
{
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    EXPECT_FALSE(driver.find(QStringLiteral("?FLDLOOKUP"))->isEnabled());
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("Nadie, Marta"));
    driver.type(QStringLiteral("?PAC:PADRE"), QStringLiteral("Nadie, Juan"));
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(1).MADRE, "Nadie, Marta");
    EXPECT_EQ(storedPatient(1).PADRE, "Nadie, Juan");
}

TEST_F(PatientFormParentsTest, MotherNotOnFileWhoseLookupIsClosedDuringOkLeavesTheFormOpenWithTheNotesStored)
{
    changeWithLookups();
    driver.type(QStringLiteral("?AUXNOTA1"), QStringLiteral("Alergia"));
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("Nadie, Marta"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_GE(mothers.calls, 1);
    EXPECT_NE(driver.window(QStringLiteral("Edición de Paciente")), nullptr);
    EXPECT_FALSE(ended);
    EXPECT_EQ(driver.find(QStringLiteral("?PAC:MADRE")), QApplication::focusWidget());
    EXPECT_EQ(storedPatient(1).MADRE, QString());
    ASSERT_EQ(all<NOTASIMPO>().size(), 1u);
    EXPECT_EQ(all<NOTASIMPO>()[0].NOTA1, "Alergia");
    pressCancel();
}

TEST_F(PatientFormParentsTest, MotherChosenInHerLookupIsTheOneTheFormKeeps)
{
    store(mother("Gómez, Marta"));
    mothers.response = Completed;
    mothers.choose = [] { views::threadDictionary().buffer<MADRES>() = mother("Gómez, Marta"); };
    changeWithLookups();
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("Gomes"));
    driver.accept(QStringLiteral("?PAC:MADRE"));
    EXPECT_EQ(mothers.calls, 1);
    EXPECT_EQ(shown("?PAC:MADRE"), "Gómez, Marta");
    EXPECT_EQ(shown("?PAC:DOMICILIO"), "Calle de la Madre 1");
    pressOk();
    EXPECT_EQ(mothers.calls, 1); // found on file by OK's pass
    EXPECT_EQ(storedPatient(1).MADRE, "Gómez, Marta");
}

TEST_F(PatientFormParentsTest, LookupButtonsFillTheNameAndMoveTheFocusOn)
{
    store(mother("Gómez, Marta"));
    store(mother("Luna, Rosa"));
    PADRES dad;
    dad.NOMBRE = QStringLiteral("Pérez, Juan");
    store(dad);
    QString nearTypedName;
    mothers.response = fathers.response = Completed;
    mothers.choose = [&nearTypedName] {
        MADRES& buffer = views::threadDictionary().buffer<MADRES>();
        nearTypedName = buffer.NOMBRE;
        buffer = mother("Luna, Rosa");
    };
    fathers.choose
        = [] { views::threadDictionary().buffer<PADRES>().NOMBRE = QStringLiteral("Pérez, Juan"); };
    changeWithLookups();
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("H"));
    driver.click(QStringLiteral("?FLDLOOKUP"));
    EXPECT_EQ(nearTypedName, "Luna, Rosa"); // the first mother after the typed name
    EXPECT_EQ(shown("?PAC:MADRE"), "Luna, Rosa");
    EXPECT_EQ(shown("?PAC:DOMICILIO"), "Calle de la Madre 1");
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?PAC:PADRE")));
    driver.click(QStringLiteral("?FLDLOOKUP:2"));
    EXPECT_EQ(shown("?PAC:PADRE"), "Pérez, Juan");
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?PAC:DOMICILIO")));
    pressOk();
    EXPECT_EQ(storedPatient(1).MADRE, "Luna, Rosa");
    EXPECT_EQ(storedPatient(1).PADRE, "Pérez, Juan");
}

TEST_F(PatientFormParentsTest, FatherNotOnFileWhoseLookupIsClosedPutsTheFocusBackOnHisName)
{
    changeWithLookups();
    driver.type(QStringLiteral("?PAC:PADRE"), QStringLiteral("Nadie, Juan"));
    driver.accept(QStringLiteral("?PAC:PADRE"));
    EXPECT_EQ(fathers.calls, 1);
    EXPECT_EQ(mothers.calls, 0);
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?PAC:PADRE")));
    EXPECT_EQ(shown("?PAC:PADRE"), "Nadie, Juan");
    pressCancel();
}

// The program's own lookups, as the folder's procedures install them: a mother's name not on
// file opens the mothers' list near it, to choose from; the father's button opens the fathers'.
TEST_F(PatientFormParentsTest, TheParentsListsAreTheLookupsTheProgramInstalls)
{
    store(mother("Gómez, Marta"));
    MADRES rosa = mother("Luna, Rosa");
    rosa.DOMICILIO = QStringLiteral("Calle Luna 9");
    store(rosa);
    store(patient(1, "Pérez, Ana"));
    procedures();
    openForm(ChangeRecord, 1);
    EXPECT_TRUE(driver.find(QStringLiteral("?FLDLOOKUP"))->isEnabled());
    EXPECT_TRUE(driver.find(QStringLiteral("?FLDLOOKUP:2"))->isEnabled());

    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("Lu"));
    driver.accept(QStringLiteral("?PAC:MADRE"));
    ASSERT_NE(driver.window(QStringLiteral("Archivo de Madres")), nullptr);
    ASSERT_NE(driver.find(QStringLiteral("?SELECT")), nullptr);
    EXPECT_TRUE(driver.find(QStringLiteral("?SELECT"))->isVisible());
    const auto* rows = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")));
    EXPECT_EQ(rows->currentIndex().siblingAtColumn(0).data().toString().trimmed(), "Luna, Rosa");
    driver.click(QStringLiteral("?SELECT"));
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Archivo de Madres")) == nullptr; }));
    EXPECT_EQ(shown("?PAC:MADRE"), "Luna, Rosa");
    EXPECT_EQ(shown("?PAC:DOMICILIO"), "Calle Luna 9");

    driver.click(QStringLiteral("?FLDLOOKUP:2"));
    ASSERT_NE(driver.window(QStringLiteral("Archivo de Padres")), nullptr);
    driver.close(QStringLiteral("Archivo de Padres"));
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Archivo de Padres")) == nullptr; }));
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?FLDLOOKUP:2")));
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(1).MADRE, "Luna, Rosa");
}

} // namespace
} // namespace nidora::clinical
