#include "ClinicalFormFixture.h"

#include "clinical/PatientNoteLines.h"
#include "data/ReferenceRecords.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::ANALISIS;
using data::CONSULTAS;
using data::ENFERMEDADES;
using data::MOTIVOS;
using data::TABENFERMED;
using testing::ElementsAre;
using testing::IsEmpty;

MOTIVOS reason(const char* text)
{
    MOTIVOS made;
    made.MOTIVO = QString::fromUtf8(text);
    return made;
}

TABENFERMED pathologyName(const char* text)
{
    TABENFERMED made;
    made.NOMBRE = QString::fromUtf8(text);
    return made;
}

class ConsultationFormTest : public test::ClinicalFormTest {
protected:
    ConsultationFormTest()
    {
        controlReason = disk.store(reason("CONTROL"));
        for (const char* each : { "FIEBRE", "GRIPE" })
            store(reason(each));
        store(pathologyName("ASMA"));
        store(pathologyName("Bronquiolitis aguda"));
    }

    // A new consultation primed for the patient, as his consultations list primes it.
    void openNew()
    {
        openForm(InsertRecord, UpdateCONSULTAS, [](data::Dictionary& data) {
            prime<CONSULTAS>(data, [](CONSULTAS& c) { c.PACIENTE = kPatient; });
        });
    }
    void openStored(int request, std::int32_t code)
    {
        openForm(request, UpdateCONSULTAS, [code](data::Dictionary& data) {
            load<CONSULTAS>(
                data, [code](CONSULTAS& c) { c.CODIGO = code; }, "CON:KCODIGO");
        });
    }
    CONSULTAS storedConsultation(std::int32_t code)
    {
        for (const CONSULTAS& each : all<CONSULTAS>())
            if (each.CODIGO == code)
                return each;
        return {};
    }
    QString age() const
    {
        return shown(QStringLiteral("?CON:ANIOS")) + u' ' + shown(QStringLiteral("?CON:MESES")) + u' '
            + shown(QStringLiteral("?CON:DIAS"));
    }
    // The reasons' table as it is after a reason is renamed or deleted: the one a new
    // consultation starts with is no longer in it.
    void dropControlReason() { ASSERT_TRUE(disk(data::FileId::MOTIVOS).remove(controlReason.id).ok()); }
    QStringList reasonChoices() const
    {
        auto* combo = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?CON:MOTIVO")));
        QStringList texts;
        for (int row = 0; combo && row < combo->count(); ++row)
            texts << combo->itemText(row);
        return texts;
    }

    data::RecordRef controlReason;
};

TEST_F(ConsultationFormTest, TakesTheCaptionOfItsRequestAndShowsThePatient)
{
    store(nidora::test::consultation(3, kPatient));
    for (const auto& [request, caption] : { std::pair { ChangeRecord, "Cambiar Consulta" },
             std::pair { DeleteRecord, "Borrar Consulta?" }, std::pair { ViewRecord, "View Record" } }) {
        openStored(request, 3);
        EXPECT_NE(driver.window(QString::fromUtf8(caption)), nullptr) << request;
        EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez, Ana");
        EXPECT_EQ(shown(QStringLiteral("?CON:PACIENTE")), "7");
        pressCancel();
    }
    openNew();
    EXPECT_NE(driver.window(QStringLiteral("Alta de Consulta")), nullptr);
    EXPECT_TRUE(focused(QStringLiteral("?CON:FECHA")));
    EXPECT_THAT(reasonChoices(), ElementsAre("CONTROL", "FIEBRE", "GRIPE"));
    EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), "CONTROL");
    pressCancel();
    EXPECT_EQ(all<CONSULTAS>().size(), 1u);
}

TEST_F(ConsultationFormTest, ShowsTheNoteLinesItsCallerHandsOver)
{
    driver.start([] {
        patientNoteLines().AUXNOTA1 = QStringLiteral("Alérgico a la penicilina");
        patientNoteLines().AUXNOTA2 = QStringLiteral("Asmático");
    });
    // Each thread has lines of its own: the form's thread was given none.
    openNew();
    EXPECT_EQ(shown(QStringLiteral("?AUXNOTA1")), QString());
    pressCancel();
    openForm(InsertRecord, UpdateCONSULTAS, [](data::Dictionary& data) {
        patientNoteLines().AUXNOTA1 = QStringLiteral("Alérgico a la penicilina");
        prime<CONSULTAS>(data, [](CONSULTAS& c) { c.PACIENTE = kPatient; });
    });
    EXPECT_EQ(shown(QStringLiteral("?AUXNOTA1")), "Alérgico a la penicilina");
    pressCancel();
}

TEST_F(ConsultationFormTest, AcceptingTheDateShowsTheAgeThatOkStores)
{
    struct Case {
        const char* date;
        const char* shownAge;
        Age stored;
    };
    const Case cases[] = {
        { "01/03/2010", "0años 0meses 29días", { 0, 0, 29 } },
        { "10/01/2012", "1años 11meses 10días", { 1, 11, 10 } },
        { "31/01/2010", "0años 0meses 0días", { 0, 0, 0 } },
        { "15/01/2010", "0años 0meses 0días", { 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        openNew();
        typeAndAccept(QStringLiteral("?CON:FECHA"), QString::fromLatin1(c.date));
        EXPECT_EQ(age(), QString::fromUtf8(c.shownAge));
        pressOk();
        EXPECT_EQ(answer, Completed);
        const CONSULTAS saved = all<CONSULTAS>().back();
        EXPECT_EQ((Age { saved.ANIOS, saved.MESES, saved.DIAS }), c.stored);
        EXPECT_EQ(saved.PACIENTE, kPatient);
    }
}

TEST_F(ConsultationFormTest, APatientWithoutBirthDateIsAgedNothing)
{
    data::PACIENTES unborn = nidora::test::patient(8, "Gómez, Juan");
    store(unborn);
    openForm(InsertRecord, UpdateCONSULTAS, [](data::Dictionary& data) {
        readPatient(data, 8);
        prime<CONSULTAS>(data, [](CONSULTAS& c) { c.PACIENTE = 8; });
    });
    typeAndAccept(QStringLiteral("?CON:FECHA"), QStringLiteral("01/03/2010"));
    EXPECT_EQ(age(), "0años 0meses 0días");
    pressOk();
    EXPECT_EQ(all<CONSULTAS>().back().PACIENTE, 8);
}

TEST_F(ConsultationFormTest, DoctorZeroTakesTheCurrentOneAndANewConsultationKeepsItsOwn)
{
    CONSULTAS old = nidora::test::consultation(3, kPatient);
    old.MEDICO = 0;
    store(old);
    openStored(ChangeRecord, 3);
    pressOk();
    EXPECT_EQ(storedConsultation(3).MEDICO, kCurrentPhysician);
    openNew();
    pressOk();
    EXPECT_EQ(all<CONSULTAS>().back().MEDICO, 1);
}

TEST_F(ConsultationFormTest, MeasuresAndTextsAreSavedAsTyped)
{
    openNew();
    const std::pair<const char*, const char*> typed[] = { { "?CON:FECHA", "10/01/2012" },
        { "?CON:PESO", "12.345" }, { "?CON:ALTURA", "85.5" }, { "?CON:PC", "47.2" },
        { "?CON:TEMPERATURA", "38.5" }, { "?CON:FC", "110" }, { "?CON:FR", "30" }, { "?CON:TA1", "95" },
        { "?CON:TA2", "60" }, { "?CON:DIAGNOSTICOP", "Otitis" }, { "?CON:HONORARIOS", "1500.50" },
        { "?CON:FACTURA", "A-0001" } };
    for (const auto& [name, text] : typed)
        type(QString::fromLatin1(name), QString::fromLatin1(text));
    pressOk();
    const CONSULTAS saved = all<CONSULTAS>().back();
    EXPECT_EQ(saved.FECHA, makeDate(2012, 1, 10));
    EXPECT_THAT((std::vector<std::int64_t> { saved.PESO, saved.ALTURA, saved.PC, saved.TEMPERATURA, saved.FC,
                    saved.FR, saved.TA1, saved.TA2, saved.HONORARIOS }),
        ElementsAre(12345, 855, 472, 385, 110, 3000, 95, 60, 150050));
    EXPECT_EQ(saved.DIAGNOSTICOP, "Otitis");
    EXPECT_EQ(saved.FACTURA, "A-0001");
    EXPECT_EQ((Age { saved.ANIOS, saved.MESES, saved.DIAS }), (Age { 1, 11, 10 }));
}

TEST_F(ConsultationFormTest, TypedReasonChoosesTheRowItNames)
{
    const std::pair<const char*, const char*> cases[]
        = { { "control", "CONTROL" }, { "gri", "GRIPE" }, { "Fie", "FIEBRE" }, { "", "" } };
    for (const auto& [typed, chosen] : cases) {
        SCOPED_TRACE(typed);
        openNew();
        typeAndAccept(QStringLiteral("?CON:MOTIVO"), QString::fromUtf8(typed));
        EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), QString::fromUtf8(chosen));
        pressOk();
        EXPECT_EQ(all<CONSULTAS>().back().MOTIVO, QString::fromUtf8(chosen));
    }
    EXPECT_EQ(all<MOTIVOS>().size(), 3u);
}

TEST_F(ConsultationFormTest, AReasonNotOnFileIsAddedThroughTheReasonsForm)
{
    test::ScriptedProcedure reasons { Completed, [](data::Dictionary& data) {
                                         // The reasons' form saves what it was given, in capitals.
                                         data.buffer<MOTIVOS>().MOTIVO = QStringLiteral("VACUNA");
                                         data.access<MOTIVOS>().insert();
                                     } };
    QString offered;
    reasons.act = [&offered, act = reasons.act](data::Dictionary& data) {
        offered = data.buffer<MOTIVOS>().MOTIVO;
        act(data);
    };
    setConsultationLookups({ reasons.procedure(), {} });
    openNew();
    typeAndAccept(QStringLiteral("?CON:MOTIVO"), QStringLiteral("vacuna"));
    EXPECT_EQ(reasons.calls, 1);
    EXPECT_EQ(reasons.request, InsertRecord);
    EXPECT_EQ(offered.trimmed(), "vacuna");
    EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), "VACUNA");
    EXPECT_THAT(reasonChoices(), ElementsAre("CONTROL", "FIEBRE", "GRIPE", "VACUNA"));
    pressOk();
    EXPECT_EQ(all<CONSULTAS>().back().MOTIVO, "VACUNA");
}

TEST_F(ConsultationFormTest, AReasonTheReasonsFormCancelsGoesBackToTheHeldOneAndKeepsTheFocus)
{
    test::ScriptedProcedure reasons { Cancelled, {} };
    setConsultationLookups({ reasons.procedure(), {} });
    CONSULTAS blank = nidora::test::consultation(3, kPatient);
    blank.MOTIVO.clear();
    store(blank);
    // A new consultation holds its initial reason, a stored one here none.
    for (const auto& [stored, held] : { std::pair { 0, "CONTROL" }, std::pair { 3, "" } }) {
        SCOPED_TRACE(held);
        if (stored == 0)
            openNew();
        else
            openStored(ChangeRecord, stored);
        typeAndAccept(QStringLiteral("?CON:MOTIVO"), QStringLiteral("vacuna"));
        EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), QString::fromUtf8(held));
        EXPECT_TRUE(focused(QStringLiteral("?CON:MOTIVO")));
        pressCancel();
    }
    EXPECT_EQ(reasons.calls, 2);
    EXPECT_EQ(all<CONSULTAS>().size(), 1u);
}

// Only what the user types is offered as a new reason. The reason a consultation holds, though
// the table has it no more, and a new consultation's initial reason the table lacks are kept
// through OK's pass, and a reasons' form cancelled over typed text puts the held one back.
TEST_F(ConsultationFormTest, AHeldReasonTheTableLacksIsKeptThroughOkAndACancelledReasonsForm)
{
    test::ScriptedProcedure reasons { Cancelled, {} };
    setConsultationLookups({ reasons.procedure(), {} });
    dropControlReason();
    CONSULTAS old = nidora::test::consultation(3, kPatient);
    old.MOTIVO = QStringLiteral("Dolor de oído");
    store(old);

    openStored(ChangeRecord, 3);
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedConsultation(3).MOTIVO, "Dolor de oído");
    openNew();
    EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), "CONTROL");
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(all<CONSULTAS>().back().MOTIVO, "CONTROL");
    EXPECT_EQ(reasons.calls, 0);

    openStored(ChangeRecord, 3);
    typeAndAccept(QStringLiteral("?CON:MOTIVO"), QStringLiteral("otalgia"));
    EXPECT_EQ(reasons.calls, 1);
    EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), "Dolor de oído");
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(reasons.calls, 1);
    EXPECT_EQ(storedConsultation(3).MOTIVO, "Dolor de oído");
    EXPECT_EQ(all<MOTIVOS>().size(), 2u);
}

TEST_F(ConsultationFormTest, WithoutTheReasonsFormAReasonNotOnFileIsKeptAsTyped)
{
    openNew();
    typeAndAccept(QStringLiteral("?CON:MOTIVO"), QStringLiteral("vacuna"));
    EXPECT_EQ(shown(QStringLiteral("?CON:MOTIVO")), "vacuna");
    pressOk();
    EXPECT_EQ(all<CONSULTAS>().back().MOTIVO, "vacuna");
    EXPECT_EQ(all<MOTIVOS>().size(), 3u);
}

TEST_F(ConsultationFormTest, OkRecordsAConfirmedDiagnosisThatNamesAPathology)
{
    struct Case {
        const char* date;
        const char* diagnosis;
        const char* recorded; // null: none
    };
    const Case cases[] = {
        { "01/03/2010", "asma", "asma" },
        // The first 20 characters name it; what follows them does not count.
        { "02/03/2010", "Bronquiolitis aguda grave", "Bronquiolitis aguda" },
        { "03/03/2010", "Neumonía", nullptr },
        { "04/03/2010", "", nullptr },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.diagnosis);
        openNew();
        type(QStringLiteral("?CON:FECHA"), QString::fromLatin1(c.date));
        type(QStringLiteral("?CON:DIAGNOSTICOF"), QString::fromUtf8(c.diagnosis));
        pressOk();
        EXPECT_EQ(answer, Completed);
        const CONSULTAS saved = all<CONSULTAS>().back();
        std::vector<ENFERMEDADES> rows;
        for (const ENFERMEDADES& each : all<ENFERMEDADES>())
            if (each.FECHA == saved.FECHA)
                rows.push_back(each);
        if (!c.recorded) {
            EXPECT_THAT(rows, IsEmpty());
            continue;
        }
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].PACIENTE, kPatient);
        EXPECT_EQ(rows[0].ENFERMEDAD.trimmed(), QString::fromUtf8(c.recorded));
        EXPECT_EQ((Age { rows[0].ANIOS, rows[0].MESES, rows[0].DIAS }),
            (Age { saved.ANIOS, saved.MESES, saved.DIAS }));
    }
    EXPECT_EQ(all<ENFERMEDADES>().size(), 2u);
}

TEST_F(ConsultationFormTest, APathologyAlreadyRecordedForThatDateIsNotAddedAgain)
{
    store(nidora::test::pathologyCase(kPatient, makeDate(2010, 3, 1), "ASMA"));
    openNew();
    type(QStringLiteral("?CON:FECHA"), QStringLiteral("01/03/2010"));
    type(QStringLiteral("?CON:DIAGNOSTICOF"), QStringLiteral("asma"));
    pressOk();
    ASSERT_EQ(all<ENFERMEDADES>().size(), 1u);
    EXPECT_EQ(all<ENFERMEDADES>()[0].ENFERMEDAD, "ASMA");
}

TEST_F(ConsultationFormTest, ASecondOkAfterAFailedSaveAddsNoSecondRowAndCancelKeepsTheFirst)
{
    // A patient no longer on file: the consultation fails its validation on every OK.
    openForm(InsertRecord, UpdateCONSULTAS, [](data::Dictionary& data) {
        data.buffer<data::PACIENTES>().CODIGO = 8;
        prime<CONSULTAS>(data, [](CONSULTAS& c) { c.PACIENTE = 8; });
    });
    type(QStringLiteral("?CON:FECHA"), QStringLiteral("01/03/2010"));
    type(QStringLiteral("?CON:DIAGNOSTICOF"), QStringLiteral("asma"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        driver.click(QStringLiteral("?OK"));
        EXPECT_TRUE(
            driver.answer(QStringLiteral("must be found in the PACIENTES file"), QStringLiteral("OK")));
        EXPECT_FALSE(ended);
        EXPECT_TRUE(focused(QStringLiteral("?CON:FECHA")));
        EXPECT_EQ(all<ENFERMEDADES>().size(), 1u);
    }
    pressCancel();
    EXPECT_THAT(all<CONSULTAS>(), IsEmpty());
    ASSERT_EQ(all<ENFERMEDADES>().size(), 1u);
    EXPECT_EQ(all<ENFERMEDADES>()[0].PACIENTE, 8);
}

TEST_F(ConsultationFormTest, OkWhenViewingRecordsThePathologyAndSavesNothingElse)
{
    CONSULTAS seen = nidora::test::consultation(3, kPatient);
    seen.FECHA = makeDate(2010, 3, 1);
    seen.DIAGNOSTICOF = QStringLiteral("asma");
    store(seen);
    openStored(ViewRecord, 3);
    type(QStringLiteral("?CON:FACTURA"), QStringLiteral("B-1"));
    pressOk();
    EXPECT_EQ(answer, Cancelled);
    EXPECT_EQ(all<ENFERMEDADES>().size(), 1u);
    EXPECT_EQ(storedConsultation(3).FACTURA, QString());
}

TEST_F(ConsultationFormTest, OkWhenDeletingRecordsThePathologyAndDeletesTheConsultation)
{
    CONSULTAS gone = nidora::test::consultation(3, kPatient);
    gone.FECHA = makeDate(2010, 3, 1);
    gone.DIAGNOSTICOF = QStringLiteral("asma");
    store(gone);
    openStored(DeleteRecord, 3);
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_THAT(all<CONSULTAS>(), IsEmpty());
    EXPECT_EQ(all<ENFERMEDADES>().size(), 1u);
}

TEST_F(ConsultationFormTest, DiagnosisLookupOpensAtTheTypedNameAndTakesTheChoice)
{
    QString openedAt;
    test::ScriptedProcedure lookup { Completed, [&openedAt](data::Dictionary& data) {
                                        openedAt = data.buffer<TABENFERMED>().NOMBRE;
                                        data.buffer<TABENFERMED>().NOMBRE = QStringLiteral("ASMA");
                                    } };
    setConsultationLookups({ {}, lookup.procedure() });
    openNew();
    type(QStringLiteral("?CON:DIAGNOSTICOF"), QStringLiteral("Bron"));
    driver.click(QStringLiteral("?FLDLOOKUP"));
    EXPECT_EQ(lookup.request, SelectRecord);
    EXPECT_EQ(openedAt.trimmed(), "Bronquiolitis aguda");
    EXPECT_EQ(shown(QStringLiteral("?CON:DIAGNOSTICOF")), "ASMA");
    EXPECT_TRUE(focused(QStringLiteral("?CON:OBSERVACIONES")));
    pressOk();
    EXPECT_EQ(all<CONSULTAS>().back().DIAGNOSTICOF, "ASMA");
}

TEST_F(ConsultationFormTest, DiagnosisLookupClosedWithoutChoosingKeepsTheTextAndTheFocus)
{
    test::ScriptedProcedure lookup { Cancelled, {} };
    setConsultationLookups({ {}, lookup.procedure() });
    openNew();
    type(QStringLiteral("?CON:DIAGNOSTICOF"), QStringLiteral("asm"));
    driver.click(QStringLiteral("?FLDLOOKUP"));
    EXPECT_EQ(lookup.calls, 1);
    EXPECT_EQ(shown(QStringLiteral("?CON:DIAGNOSTICOF")), "asm");
    EXPECT_TRUE(focused(QStringLiteral("?FLDLOOKUP")));
    pressCancel();
}

TEST_F(ConsultationFormTest, WithoutThePathologyLookupItsButtonIsDisabled)
{
    openNew();
    EXPECT_FALSE(enabled(QStringLiteral("?FLDLOOKUP")));
    pressCancel();
}

TEST_F(ConsultationFormTest, StudiesAddedToANewConsultationKeepWhatIsTypedAndGoWithItsCancel)
{
    openNew();
    type(QStringLiteral("?CON:PESO"), QStringLiteral("9.5"));
    driver.accept(QStringLiteral("?CON:PESO"));
    driver.click(QStringLiteral("?INSERT"));
    QWidget* studyForm = driver.window(QStringLiteral("Nuevo Estudio"));
    ASSERT_NE(studyForm, nullptr);
    auto* studied = studyForm->findChild<QLabel*>(QStringLiteral("?PAC:NOMBRE"));
    ASSERT_NE(studied, nullptr);
    EXPECT_EQ(studied->text(), "Pérez, Ana");
    type(QStringLiteral("?ANA:ANALISIS"), QStringLiteral("Hemograma"));
    clickIn(QStringLiteral("Nuevo Estudio"), QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(QStringLiteral("Nuevo Estudio")), nullptr);
    const std::vector<ANALISIS> studies = all<ANALISIS>();
    ASSERT_EQ(studies.size(), 1u);
    EXPECT_EQ(studies[0].CONSULTA, all<CONSULTAS>().back().CODIGO);
    EXPECT_EQ(studies[0].PACIENTE, kPatient);
    auto* list = qobject_cast<QAbstractItemView*>(driver.find(QStringLiteral("?LIST")));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString().trimmed(), "Hemograma");
    EXPECT_EQ(shown(QStringLiteral("?CON:PESO")), "9.500");
    pressCancel();
    EXPECT_THAT(all<CONSULTAS>(), IsEmpty());
    EXPECT_THAT(all<ANALISIS>(), IsEmpty());
}

TEST_F(ConsultationFormTest, StudiesOfAConsultationOpenedForViewingCannotBeEdited)
{
    store(nidora::test::consultation(3, kPatient));
    openStored(ViewRecord, 3);
    for (const char* button : { "?INSERT", "?CHANGE", "?DELETE" })
        EXPECT_FALSE(enabled(QString::fromLatin1(button))) << button;
    pressCancel();
}

} // namespace
} // namespace nidora::clinical
