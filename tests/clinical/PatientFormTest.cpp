#include "PatientFormFixture.h"

#include "core/Date.h"
#include "data/ReferenceRecords.h"

#include <QComboBox>
#include <QPushButton>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::FOTOS;
using data::NOTASIMPO;
using data::PACIENTES;
using test::patient;
using testing::ElementsAre;
using testing::IsEmpty;

NOTASIMPO notes(std::int32_t code, const char* first, const char* second, const char* third)
{
    NOTASIMPO made;
    made.PACIENTE = code;
    made.NOTA1 = QString::fromUtf8(first);
    made.NOTA2 = QString::fromUtf8(second);
    made.NOTA3 = QString::fromUtf8(third);
    return made;
}

FOTOS photo(std::int32_t code, const QString& file)
{
    FOTOS made;
    made.PACIENTE = code;
    made.ARCHIVO = file;
    return made;
}

class PatientFormTest : public test::PatientFormTest { };

TEST_F(PatientFormTest, TakesTheCaptionOfItsRequest)
{
    store(patient(1, "Pérez, Ana"));
    for (const auto& [request, caption] :
        { std::pair { InsertRecord, "Nuevo Paciente" }, std::pair { ChangeRecord, "Edición de Paciente" },
            std::pair { DeleteRecord, "Borrar Paciente" }, std::pair { ViewRecord, "Pacientes" } }) {
        openForm(request, 1);
        EXPECT_NE(driver.window(QString::fromUtf8(caption)), nullptr) << request;
        pressCancel();
        EXPECT_EQ(answer, Cancelled) << request;
    }
    EXPECT_EQ(all<PACIENTES>().size(), 1u);
}

TEST_F(PatientFormTest, ChangeTypedOnTheDataPageIsSavedOnOk)
{
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    EXPECT_EQ(shown("?PAC:CODIGO"), "1");
    EXPECT_EQ(shown("?PAC:NOMBRE"), "Pérez, Ana");
    const std::pair<const char*, const char*> typed[] = { { "?PAC:NOMBRE", "Pérez, Ana María" },
        { "?PAC:FNACIMIENTO", "15/03/2020" }, { "?PAC:DOMICILIO", "San Martín 5" },
        { "?PAC:CIUDAD", "Rosario" }, { "?PAC:TELEFONO", "4555-1234" }, { "?PAC:TIPODOCUMENTO", "DNI" },
        { "?PAC:DOCUMENTO", "45123456" }, { "?PAC:NROOBRASOCIAL", "A-77" }, { "?PAC:PLANVACUNACION", "B" } };
    for (const auto& [name, text] : typed)
        driver.type(QString::fromUtf8(name), QString::fromUtf8(text));
    driver.click(QStringLiteral("?PAC:SEXO:Radio2"));
    auto* group = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?PAC:GRUPO")));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->count(), 9);
    group->setCurrentIndex(group->findText(QStringLiteral("AB-")));
    pressOk();
    EXPECT_EQ(answer, Completed);
    const PACIENTES saved = storedPatient(1);
    EXPECT_THAT((std::vector<QString> { saved.NOMBRE, saved.SEXO, saved.GRUPO, saved.DOMICILIO, saved.CIUDAD,
                    saved.TELEFONO, saved.TIPODOCUMENTO, saved.NROOBRASOCIAL, saved.PLANVACUNACION }),
        ElementsAre(
            "Pérez, Ana María", "F", "AB-", "San Martín 5", "Rosario", "4555-1234", "DNI", "A-77", "B"));
    EXPECT_EQ(saved.DOCUMENTO, 45123456);
    EXPECT_EQ(saved.FNACIMIENTO, makeDate(2020, 3, 15));
}

TEST_F(PatientFormTest, CancelledInsertLeavesNoPatientAndTheNextInsertTakesTheSameCode)
{
    store(patient(1, "Pérez, Ana"));
    openForm(InsertRecord);
    const std::int32_t firstCode = primedCode;
    EXPECT_EQ(firstCode, 2);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("García, Luis"));
    driver.type(QStringLiteral("?AUXNOTA1"), QStringLiteral("Alergia"));
    pressCancel();
    EXPECT_EQ(answer, Cancelled);
    EXPECT_EQ(all<PACIENTES>().size(), 1u);
    EXPECT_THAT(all<NOTASIMPO>(), IsEmpty());
    EXPECT_THAT(all<FOTOS>(), IsEmpty());

    openForm(InsertRecord);
    EXPECT_EQ(primedCode, firstCode);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("García, Luis"));
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(firstCode).NOMBRE, "García, Luis");
}

TEST_F(PatientFormTest, DeleteRemovesThePatientWithHisNotesAndPhoto)
{
    store(patient(1, "Pérez, Ana"));
    store(patient(2, "García, Luis"));
    store(notes(1, "Alergia", "", ""));
    store(photo(1, "ana.jpg"));
    openForm(DeleteRecord, 1);
    pressOk();
    EXPECT_EQ(answer, Completed);
    ASSERT_EQ(all<PACIENTES>().size(), 1u);
    EXPECT_EQ(all<PACIENTES>()[0].CODIGO, 2);
    EXPECT_THAT(all<NOTASIMPO>(), IsEmpty());
    EXPECT_THAT(all<FOTOS>(), IsEmpty());
}

TEST_F(PatientFormTest, PatientWithoutDoctorGetsTheCurrentOneAndANewPatientKeepsThePrimedOne)
{
    PACIENTES withoutDoctor = patient(1, "Pérez, Ana");
    withoutDoctor.MEDICO = 0;
    store(withoutDoctor);
    openForm(ChangeRecord, 1);
    pressOk();
    EXPECT_EQ(storedPatient(1).MEDICO, kCurrentPhysician);

    openForm(InsertRecord);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("García, Luis"));
    pressOk();
    EXPECT_EQ(storedPatient(primedCode).MEDICO, 1);
}

TEST_F(PatientFormTest, NoteLinesAreShownAndWrittenOnOkKeepingTheThirdLine)
{
    store(patient(1, "Pérez, Ana"));
    store(notes(1, "Alergia", "Asma", "Tercera"));
    openForm(ChangeRecord, 1);
    EXPECT_EQ(shown("?AUXNOTA1"), "Alergia");
    EXPECT_EQ(shown("?AUXNOTA2"), "Asma");
    driver.type(QStringLiteral("?AUXNOTA2"), QStringLiteral("Sin asma"));
    pressOk();
    ASSERT_EQ(all<NOTASIMPO>().size(), 1u);
    const NOTASIMPO saved = all<NOTASIMPO>()[0];
    EXPECT_THAT((std::vector<QString> { saved.NOTA1, saved.NOTA2, saved.NOTA3 }),
        ElementsAre("Alergia", "Sin asma", "Tercera"));
}

TEST_F(PatientFormTest, NotesAndPhotoNameAreStoredOnOkAndNotOnCancel)
{
    store(patient(1, "Pérez, Ana"));
    for (const bool ok : { false, true }) {
        openForm(ChangeRecord, 1);
        driver.type(QStringLiteral("?AUXNOTA1"), QStringLiteral("Alergia"));
        driver.type(QStringLiteral("?AUXNOTA2"), QStringLiteral("Penicilina"));
        driver.type(QStringLiteral("?AUXFOTO"), QStringLiteral("ana.jpg"));
        if (ok)
            pressOk();
        else
            pressCancel();
        EXPECT_EQ(all<NOTASIMPO>().size(), ok ? 1u : 0u) << ok;
        EXPECT_EQ(all<FOTOS>().size(), ok ? 1u : 0u) << ok;
    }
    const NOTASIMPO saved = all<NOTASIMPO>()[0];
    EXPECT_EQ(saved.PACIENTE, 1);
    EXPECT_THAT((std::vector<QString> { saved.NOTA1, saved.NOTA2 }), ElementsAre("Alergia", "Penicilina"));
    EXPECT_EQ(all<FOTOS>()[0].PACIENTE, 1);
    EXPECT_EQ(all<FOTOS>()[0].ARCHIVO, "ana.jpg");
}

TEST_F(PatientFormTest, UserWithoutTheClinicalRightSeesNoNoteLinesAndStillSaves)
{
    views::AppGlobals.AccessRights[1] = 0;
    store(patient(1, "Pérez, Ana"));
    store(notes(1, "Alergia", "Asma", ""));
    openForm(ChangeRecord, 1);
    for (const char* line : { "?AUXNOTA1", "?AUXNOTA2" }) {
        QWidget* shownLine = driver.find(QString::fromUtf8(line));
        ASSERT_NE(shownLine, nullptr);
        EXPECT_FALSE(shownLine->isVisible()) << line;
    }
    // The prompt keeps its place on the page, greyed.
    QWidget* prompt = driver.find(QStringLiteral("?AUXNOTA1:Prompt"));
    ASSERT_NE(prompt, nullptr);
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_FALSE(prompt->isEnabled());
    EXPECT_TRUE(driver.find(QStringLiteral("?PAC:NOMBRE"))->isVisible());
    driver.type(QStringLiteral("?PAC:CIUDAD"), QStringLiteral("Rosario"));
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(1).CIUDAD, "Rosario");
    ASSERT_EQ(all<NOTASIMPO>().size(), 1u);
    EXPECT_EQ(all<NOTASIMPO>()[0].NOTA1, "Alergia");
}

TEST_F(PatientFormTest, CoverageComboListsTheCoveragesByNameAndChoosingOneSetsThePatients)
{
    for (const char* name : { "Zeta Salud", "Alfa Salud", "Media Cobertura" }) {
        data::OBRASSOCIALES coverage;
        coverage.NOMBRE = QString::fromUtf8(name);
        store(coverage);
    }
    store(patient(1, "Pérez, Ana"));
    openForm(ChangeRecord, 1);
    auto* combo = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?PAC:OBRASOCIAL")));
    ASSERT_NE(combo, nullptr);
    QStringList listed;
    for (int row = 0; row < combo->count(); ++row)
        listed << combo->itemText(row);
    EXPECT_THAT(listed, ElementsAre("Alfa Salud", "Media Cobertura", "Zeta Salud"));
    combo->setCurrentIndex(1);
    emit combo->activated(1); // as a pick in the dropped list does
    driver.settle();
    EXPECT_EQ(combo->currentText(), "Media Cobertura");
    pressOk();
    EXPECT_EQ(storedPatient(1).OBRASOCIAL, "Media Cobertura");
    EXPECT_EQ(all<data::OBRASSOCIALES>().size(), 3u);
}

TEST_F(PatientFormTest, TwoFormsOnTwoThreadsKeepTheirOwnNoteLines)
{
    store(patient(1, "Pérez, Ana"));
    store(patient(2, "García, Luis"));
    store(notes(1, "Alergia", "", ""));
    store(notes(2, "Asma", "", ""));
    openForm(ChangeRecord, 1);
    QWidget* first = driver.window(QStringLiteral("Edición de Paciente"));
    ASSERT_NE(first, nullptr);
    const auto line = [](QWidget* form) { return form->findChild<QLineEdit*>(QStringLiteral("?AUXNOTA1")); };
    line(first)->setText(QStringLiteral("Alergia grave"));

    bool secondEnded = false;
    driver.start([&secondEnded] {
        data::Dictionary& data = views::threadDictionary();
        data.relation<PACIENTES>().open();
        data.buffer<PACIENTES>().CODIGO = 2;
        data.access<PACIENTES>().fetch(data.access<PACIENTES>().key("PAC:KCODIGO"));
        framework::callWithRequest(ViewRecord, UpdatePACIENTES);
        data.relation<PACIENTES>().close();
        secondEnded = true;
    });
    QWidget* second = driver.window(QStringLiteral("Pacientes"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(line(second)->text(), "Asma");
    EXPECT_EQ(line(first)->text(), "Alergia grave");

    first->findChild<QPushButton*>(QStringLiteral("?OK"))->click();
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(line(second)->text(), "Asma");
    second->close();
    ASSERT_TRUE(driver.runUntil([&secondEnded] { return secondEnded; }));
    std::vector<QString> stored;
    for (const NOTASIMPO& each : all<NOTASIMPO>())
        stored.push_back(each.NOTA1);
    EXPECT_THAT(stored, ElementsAre("Alergia grave", "Asma"));
}

} // namespace
} // namespace nidora::clinical
