#include "PatientFormFixture.h"

#include "core/Date.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::MADRES;
using data::PACIENTES;
using data::PADRES;
using test::patient;
using test::ScriptedLookup;
using testing::ElementsAre;

class PatientFormPagesTest : public test::PatientFormTest {
protected:
    QString label(const QString& name) const
    {
        auto* shownLabel = qobject_cast<QLabel*>(driver.find(name));
        return shownLabel ? shownLabel->text() : QStringLiteral("<no label %1>").arg(name);
    }
    QString memo(const QString& name) const
    {
        auto* box = qobject_cast<QPlainTextEdit*>(driver.find(name));
        return box ? box->toPlainText() : QStringLiteral("<no text box %1>").arg(name);
    }
    void setSpin(const QString& name, int value)
    {
        auto* spin = qobject_cast<QSpinBox*>(driver.find(name));
        ASSERT_NE(spin, nullptr) << name.toStdString();
        spin->setValue(value);
    }
};

TEST_F(PatientFormPagesTest, EachTaskOfThePanelShowsItsPage)
{
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    EXPECT_EQ(pageInFront(), "?TAB9");
    struct Shown {
        std::size_t header;
        std::size_t task;
        const char* page;
    };
    const Shown tasks[] = { { 0, 1, "?TAB10" }, { 0, 2, "?TAB17" }, { 0, 3, "?TAB20" }, { 0, 4, "?TAB11" },
        { 0, 5, "?TAB21" }, { 1, 0, "?TAB22" }, { 1, 1, "?TAB23" }, { 1, 2, "?TAB24" }, { 0, 0, "?TAB9" } };
    for (const Shown& each : tasks) {
        clickTask(each.header, each.task);
        EXPECT_EQ(pageInFront(), QString::fromUtf8(each.page)) << each.header << ' ' << each.task;
    }
    pressCancel();
}

// OK takes every page, those not in front included: what was typed on each is stored.
TEST_F(PatientFormPagesTest, WhatTheHistoryPagesHoldIsStoredByOkFromAnyPage)
{
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez, Ana María"));
    clickTask(0, 3); // Alimentación
    driver.type(QStringLiteral("?PAC:PECHO"), QStringLiteral("Exclusivo"));
    setSpin(QStringLiteral("?PAC:HPECHO"), 6);
    driver.type(QStringLiteral("?PAC:NOTAS"), QStringLiteral("Sin problemas"));
    clickTask(1, 0); // Embarazo
    setSpin(QStringLiteral("?PAC:SEMANAS"), 39);
    driver.click(QStringLiteral("?PAC:DIABETES"));
    qobject_cast<QPlainTextEdit*>(driver.find(QStringLiteral("?PAC:EMBOBSERVACIONES")))
        ->setPlainText(QStringLiteral("Control mensual"));
    clickTask(1, 1); // Parto
    driver.click(QStringLiteral("?PAC:CESAREA"));
    driver.type(QStringLiteral("?PAC:CAUSA"), QStringLiteral("Podálica"));
    driver.click(QStringLiteral("?PAC:POSICION:Radio2"));
    driver.click(QStringLiteral("?PAC:ANESTECIA:Radio3"));
    driver.type(QStringLiteral("?PAC:PESO"), QStringLiteral("3.250"));
    driver.type(QStringLiteral("?PAC:PC"), QStringLiteral("34.50"));
    clickTask(0, 4); // Hitos motores
    driver.type(QStringLiteral("?PAC:ANDA"), QStringLiteral("02/05/2021"));
    clickTask(1, 2); // Antecedentes Familiares, the last page before OK
    pressOk();
    EXPECT_EQ(answer, Completed);
    const PACIENTES saved = storedPatient(1);
    EXPECT_EQ(saved.NOMBRE, "Pérez, Ana María");
    EXPECT_EQ(saved.PECHO, "Exclusivo");
    EXPECT_EQ(saved.HPECHO, 6);
    EXPECT_EQ(saved.NOTAS, "Sin problemas");
    EXPECT_EQ(saved.SEMANAS, 39);
    EXPECT_EQ(saved.DIABETES, "1");
    EXPECT_EQ(saved.HIPERTENSION, ""); // never touched
    EXPECT_EQ(saved.EMBOBSERVACIONES, "Control mensual");
    EXPECT_EQ(saved.CESAREA, "1");
    EXPECT_EQ(saved.CAUSA, "Podálica");
    EXPECT_EQ(saved.POSICION, "P");
    EXPECT_EQ(saved.ANESTECIA, "P");
    EXPECT_EQ(saved.PESO, 3250);
    EXPECT_EQ(saved.PC, 3450);
    EXPECT_EQ(saved.ANDA, makeDate(2021, 5, 2));
}

TEST_F(PatientFormPagesTest, TheCaesareanReasonOpensOnceTheBoxIsTouchedAndStaysOpen)
{
    openForm(InsertRecord);
    QWidget* reason = driver.find(QStringLiteral("?PAC:CAUSA"));
    EXPECT_FALSE(reason->isEnabled());
    driver.click(QStringLiteral("?PAC:CESAREA"));
    EXPECT_TRUE(reason->isEnabled());
    driver.click(QStringLiteral("?PAC:CESAREA"));
    EXPECT_FALSE(qobject_cast<QCheckBox*>(driver.find(QStringLiteral("?PAC:CESAREA")))->isChecked());
    EXPECT_TRUE(reason->isEnabled());
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("García, Luis"));
    pressOk();
    EXPECT_EQ(storedPatient(primedCode).CESAREA, "0");

    openForm(ChangeRecord, primedCode);
    EXPECT_TRUE(driver.find(QStringLiteral("?PAC:CAUSA"))->isEnabled());
    pressCancel();
}

TEST_F(PatientFormPagesTest, MilestoneAgesAreShownFromTheBirthDateAndFollowAMilestoneAccepted)
{
    PACIENTES child = patient(1, "Pérez, Ana");
    child.FNACIMIENTO = makeDate(2020, 3, 15);
    child.SENTADO = makeDate(2021, 3, 14);
    store(child);
    openForm(ChangeRecord, 1);
    EXPECT_EQ(label(QStringLiteral("?A1")), "1A");
    EXPECT_EQ(label(QStringLiteral("?M1")), "0M");
    EXPECT_EQ(label(QStringLiteral("?A2")), "0A"); // no date yet
    clickTask(0, 4);
    driver.type(QStringLiteral("?PAC:DEPIECA"), QStringLiteral("01/02/2021"));
    driver.accept(QStringLiteral("?PAC:DEPIECA"));
    EXPECT_EQ(label(QStringLiteral("?A2")), "0A");
    EXPECT_EQ(label(QStringLiteral("?M2")), "11M");
    // A new birth date counts only once a milestone is accepted again.
    driver.type(QStringLiteral("?PAC:FNACIMIENTO"), QStringLiteral("15/03/2019"));
    driver.accept(QStringLiteral("?PAC:FNACIMIENTO"));
    EXPECT_EQ(label(QStringLiteral("?A1")), "1A");
    driver.accept(QStringLiteral("?PAC:SENTADO"));
    EXPECT_EQ(label(QStringLiteral("?A1")), "2A");
    pressCancel();
}

// The form writes no parent: the histories only show, and say where they are changed.
TEST_F(PatientFormPagesTest, FamilyHistoryShowsTheNamedParentsReadOnly)
{
    MADRES mother;
    mother.NOMBRE = QStringLiteral("Gómez, Marta");
    mother.ANTECEDENTES = QStringLiteral("Hipotiroidismo");
    store(mother);
    PADRES father;
    father.NOMBRE = QStringLiteral("Pérez, Juan");
    father.ANTECEDENTES = QStringLiteral("Asma");
    store(father);
    PACIENTES child = patient(1, "Pérez, Ana");
    child.MADRE = mother.NOMBRE;
    child.PADRE = QStringLiteral("Nadie, Juan");
    store(child);
    openForm(ChangeRecord, 1);
    clickTask(1, 2);
    EXPECT_EQ(memo(QStringLiteral("?MAD:ANTECEDENTES")), "Hipotiroidismo");
    EXPECT_EQ(memo(QStringLiteral("?PAD:ANTECEDENTES")), ""); // not on file
    driver.type(QStringLiteral("?PAC:PADRE"), QStringLiteral("Pérez, Juan"));
    driver.accept(QStringLiteral("?PAC:PADRE"));
    EXPECT_EQ(memo(QStringLiteral("?PAD:ANTECEDENTES")), "Asma");
    for (const auto& [name, whose] :
        { std::pair { "?MAD:ANTECEDENTES", "madre" }, std::pair { "?PAD:ANTECEDENTES", "padre" } }) {
        auto* history = qobject_cast<QPlainTextEdit*>(driver.find(QString::fromLatin1(name)));
        ASSERT_NE(history, nullptr);
        EXPECT_TRUE(history->isReadOnly()) << name;
        EXPECT_TRUE(history->toolTip().contains(QString::fromLatin1(whose)))
            << qPrintable(history->toolTip());
    }
    pressOk();
    EXPECT_EQ(answer, Completed);
    ASSERT_EQ(all<MADRES>().size(), 1u);
    EXPECT_EQ(all<MADRES>()[0].ANTECEDENTES, "Hipotiroidismo");
    EXPECT_EQ(storedPatient(1).PADRE, "Pérez, Juan");
}

// A handler that stops OK's pass over the controls brings the page of its control forward.
TEST_F(PatientFormPagesTest, AMotherNotOnFileStopsOkOnTheDataPageWhateverPageWasInFront)
{
    ScriptedLookup mothers;
    PatientFormLookups lookups;
    lookups.mothers = mothers.procedure();
    setPatientFormLookups(std::move(lookups));
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:MADRE"), QStringLiteral("Nadie, Marta"));
    clickTask(1, 1);
    driver.type(QStringLiteral("?PAC:LUGAR"), QStringLiteral("Rosario"));
    const int callsBefore = mothers.calls;
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(mothers.calls, callsBefore + 1);
    EXPECT_FALSE(ended);
    EXPECT_EQ(pageInFront(), "?TAB9");
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?PAC:MADRE")));
    EXPECT_EQ(storedPatient(1).LUGAR, "");
    pressCancel();
}

} // namespace
} // namespace nidora::clinical
