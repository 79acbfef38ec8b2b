#include "ClinicalFormFixture.h"

#include "platform/FileChooserDouble.h"
#include "platform/ShellLauncherDouble.h"
#include "support/OtherStation.h"

#include "data/ReferenceRecords.h"
#include "framework/Beep.h"
#include "views/FormWindow.h"

#include <QComboBox>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <array>

namespace nidora::clinical {
namespace {

using data::ANALISIS;
using data::CONSULTAS;
using data::ENFERMEDADES;
using data::VACUNACION;
using testing::ElementsAre;

class HistoryFormsTest : public test::ClinicalFormTest {
public:
    HistoryFormsTest()
    {
        for (const char* name : { "ASMA", "BRONQUIOLITIS", "OTITIS" }) {
            data::TABENFERMED row;
            row.NOMBRE = QString::fromLatin1(name);
            store(row);
        }
        CONSULTAS visit = nidora::test::consultation(5, kPatient);
        store(visit);
    }

    void openPathology(int request, Date date = noDate)
    {
        openForm(request, UpdateENFERMEDADES, [request, date](data::Dictionary& data) {
            if (request == InsertRecord)
                prime<ENFERMEDADES>(data, [](ENFERMEDADES&) {});
            else
                load<ENFERMEDADES>(
                    data,
                    [date](ENFERMEDADES& row) {
                        row.PACIENTE = kPatient;
                        row.FECHA = date;
                        row.ENFERMEDAD = QStringLiteral("ASMA");
                    },
                    "ENF:KPACIENTE");
        });
    }
    void openVaccination(int request, std::int32_t storedFor = kPatient)
    {
        openForm(request, UpdateVACUNAS, [request, storedFor](data::Dictionary& data) {
            if (request == InsertRecord)
                prime<VACUNACION>(data, [](VACUNACION&) {});
            else
                load<VACUNACION>(
                    data,
                    [storedFor](VACUNACION& row) {
                        row.PACIENTE = storedFor;
                        row.FECHAPROG = makeDate(2010, 3, 31);
                        row.VACUNA = QStringLiteral("BCG");
                    },
                    "VAC:KPACIENTE");
        });
    }
    // The study form as the consultation form calls it: the consultation in its buffer; with
    // `forms` above 1, that many forms one after another on the consultation form's thread.
    void openStudy(int request, int forms = 1)
    {
        openForm(
            request, UpdateANALISIS,
            [request](data::Dictionary& data) {
                load<CONSULTAS>(
                    data, [](CONSULTAS& c) { c.CODIGO = 5; }, "CON:KCODIGO");
                if (request == InsertRecord)
                    prime<ANALISIS>(data, [](ANALISIS& row) { row.CONSULTA = 5; });
                else
                    load<ANALISIS>(
                        data,
                        [](ANALISIS& row) {
                            row.CONSULTA = 5;
                            row.ANALISIS_ = QStringLiteral("Placa de tórax");
                        },
                        "ANA:KCONSULTA");
            },
            forms);
    }

protected:
    static ENFERMEDADES pathologyOfPatient()
    {
        ENFERMEDADES row;
        row.PACIENTE = kPatient;
        row.FECHA = makeDate(2010, 3, 1);
        row.ENFERMEDAD = QStringLiteral("ASMA");
        return row;
    }
    ANALISIS storedStudy(const char* name = "Placa de tórax")
    {
        ANALISIS study;
        study.CONSULTA = 5;
        study.PACIENTE = kPatient;
        study.ANALISIS_ = QString::fromUtf8(name);
        return study;
    }
};

TEST_F(HistoryFormsTest, EachFormTakesTheCaptionOfItsRequest)
{
    VACUNACION given;
    given.PACIENTE = kPatient;
    given.FECHAPROG = makeDate(2010, 3, 31);
    given.VACUNA = QStringLiteral("BCG");
    store(given);
    store(pathologyOfPatient());
    store(storedStudy());
    struct Case {
        void (*open)(HistoryFormsTest&, int);
        std::array<const char*, 4> captions; // insert, change, delete, view
    };
    const Case forms[] = {
        { [](HistoryFormsTest& t, int request) { t.openPathology(request, makeDate(2010, 3, 1)); },
            { "Nuevo Diagnóstico", "Cambiar Diagnóstico", "Borrar Diagnóstico", "View Record" } },
        { [](HistoryFormsTest& t, int request) { t.openVaccination(request); },
            { "Agregar Vacuna", "Cambiar Vacuna", "Borrar Vacuna", "View Record" } },
        { [](HistoryFormsTest& t, int request) { t.openStudy(request); },
            { "Nuevo Estudio", "Cambiar Estudio", "Borrar Estudio?", "View Record" } },
    };
    for (const Case& form : forms) {
        const int requests[] = { InsertRecord, ChangeRecord, DeleteRecord, ViewRecord };
        for (std::size_t i = 0; i < 4; ++i) {
            form.open(*this, requests[i]);
            EXPECT_NE(driver.window(QString::fromUtf8(form.captions[i])), nullptr) << form.captions[i];
            EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez, Ana") << form.captions[i];
            pressCancel();
        }
    }
}

TEST_F(HistoryFormsTest, PathologyTakesTheAgeAtItsDateAndANameOfTheTable)
{
    struct Case {
        const char* date;
        const char* typed;
        const char* stored;
        Age age;
    };
    const Case cases[] = {
        { "01/03/2010", "asma", "ASMA", { 0, 0, 29 } },
        { "10/01/2012", "bron", "BRONQUIOLITIS", { 1, 11, 10 } },
        { "01/01/2010", "Otitis", "OTITIS", { 0, 0, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        openPathology(InsertRecord);
        EXPECT_TRUE(focused(QStringLiteral("?ENF:FECHA")));
        typeAndAccept(QStringLiteral("?ENF:FECHA"), QString::fromLatin1(c.date));
        typeAndAccept(QStringLiteral("?ENF:ENFERMEDAD"), QString::fromLatin1(c.typed));
        EXPECT_EQ(shown(QStringLiteral("?ENF:ENFERMEDAD")), QString::fromLatin1(c.stored));
        pressOk();
        EXPECT_EQ(answer, Completed);
        const ENFERMEDADES saved = all<ENFERMEDADES>().back();
        EXPECT_EQ(saved.PACIENTE, kPatient);
        EXPECT_EQ(saved.ENFERMEDAD, QString::fromLatin1(c.stored));
        EXPECT_EQ((Age { saved.ANIOS, saved.MESES, saved.DIAS }), c.age);
    }
}

TEST_F(HistoryFormsTest, APathologyNameNotInTheTableIsEmptiedAndKeepsTheFocus)
{
    openPathology(InsertRecord);
    typeAndAccept(QStringLiteral("?ENF:ENFERMEDAD"), QStringLiteral("Varicela"));
    EXPECT_EQ(shown(QStringLiteral("?ENF:ENFERMEDAD")), QString());
    EXPECT_TRUE(focused(QStringLiteral("?ENF:ENFERMEDAD")));
    pressCancel();
    EXPECT_EQ(all<data::TABENFERMED>().size(), 3u);
}

TEST_F(HistoryFormsTest, ASecondVaccinationOfThatVaccineAndPlannedDateIsRefused)
{
    const auto add = [this](const char* planned) {
        openVaccination(InsertRecord);
        EXPECT_TRUE(focused(QStringLiteral("?VAC:FECHAPROG")));
        type(QStringLiteral("?VAC:FECHAPROG"), QString::fromLatin1(planned));
        type(QStringLiteral("?VAC:VACUNA"), QStringLiteral("BCG"));
        type(QStringLiteral("?VAC:DOSIS"), QStringLiteral("Única"));
        driver.click(QStringLiteral("?OK"));
    };
    add("31/03/2010");
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    add("31/03/2010");
    EXPECT_TRUE(driver.answer(QStringLiteral("duplicate entry"), QStringLiteral("OK")));
    EXPECT_FALSE(ended);
    EXPECT_TRUE(focused(QStringLiteral("?VAC:FECHAPROG")));
    type(QStringLiteral("?VAC:FECHAPROG"), QStringLiteral("30/04/2010"));
    pressOk();
    const std::vector<VACUNACION> stored = all<VACUNACION>();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].FECHAPROG, makeDate(2010, 4, 30));
    EXPECT_EQ(stored[1].DOSIS, "Única");
    EXPECT_EQ(stored[1].PACIENTE, kPatient);
}

TEST_F(HistoryFormsTest, AChangedVaccinationStaysTheCallingFormsPatients)
{
    VACUNACION strayed;
    strayed.PACIENTE = 99;
    strayed.FECHAPROG = makeDate(2010, 3, 31);
    strayed.VACUNA = QStringLiteral("BCG");
    store(strayed);
    openVaccination(ChangeRecord, 99);
    EXPECT_EQ(shown(QStringLiteral("?VAC:PACIENTE")), "7");
    type(QStringLiteral("?VAC:FECHAREAL"), QStringLiteral("02/04/2010"));
    pressOk();
    EXPECT_EQ(all<VACUNACION>()[0].PACIENTE, kPatient);
    EXPECT_EQ(all<VACUNACION>()[0].FECHAREAL, makeDate(2010, 4, 2));
}

class StudyFormTest : public HistoryFormsTest {
protected:
    StudyFormTest()
    {
        EXPECT_TRUE(QDir(elsewhere.path()).mkpath(QStringLiteral("Estudios")));
        QFile plate(platePath());
        EXPECT_TRUE(plate.open(QIODevice::WriteOnly));
        plate.write("plate");
    }
    QString platePath() const { return QDir(elsewhere.path()).filePath(QStringLiteral("Estudios/rx.jpg")); }
    // Ctrl+H in the control; whether it beeped.
    bool recall(const char* control)
    {
        const int before = framework::beepsSoFar();
        driver.pressKey(QString::fromLatin1(control), views::FormWindow::kHistoryKey);
        return framework::beepsSoFar() != before;
    }
    // Types into an entry, or writes the results' memo; the patient's code only shows.
    void fill(const char* control, const char* text)
    {
        const QString name = QString::fromLatin1(control);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(driver.find(name)))
            memo->setPlainText(QString::fromUtf8(text));
        else if (qobject_cast<QLineEdit*>(driver.find(name)))
            type(name, QString::fromUtf8(text));
    }

    QTemporaryDir elsewhere;
    nidora::test::FileChooserDouble chooser;
    platform::FileChooserService::Override useChooser { chooser };
    nidora::test::ShellLauncherDouble shell;
    platform::ShellLauncherService::Override useShell { shell };
};

TEST_F(StudyFormTest, AChosenFileIsCopiedOnOkAndVerOpensTheCopy)
{
    chooser.answer = platePath();
    openStudy(InsertRecord);
    EXPECT_TRUE(focused(QStringLiteral("?ANA:ANALISIS")));
    EXPECT_EQ(shown(QStringLiteral("?ANA:PACIENTE")), "7");
    type(QStringLiteral("?ANA:ANALISIS"), QStringLiteral("Placa de tórax"));
    driver.click(QStringLiteral("?LOOKUPFILE"));
    EXPECT_EQ(chooser.askedTitle, "Select A File");
    EXPECT_EQ(chooser.askedFilter.name, "All Files");
    EXPECT_THAT(chooser.askedFilter.patterns, ElementsAre("*"));
    EXPECT_EQ(shown(QStringLiteral("?ANA:ARCHIVO")), platePath());
    pressOk();
    ASSERT_EQ(all<ANALISIS>().size(), 1u);
    const ANALISIS saved = all<ANALISIS>()[0];
    EXPECT_EQ(saved.ARCHIVO, "rx.jpg");
    EXPECT_EQ(saved.PACIENTE, kPatient);
    EXPECT_EQ(saved.CONSULTA, 5);
    EXPECT_TRUE(QFile::exists(scratch.filePath(QStringLiteral("rx.jpg"))));

    openStudy(ChangeRecord);
    driver.click(QStringLiteral("?BUTTON4"));
    ASSERT_EQ(shell.handed.size(), 1u);
    EXPECT_EQ(shell.handed[0], QUrl::fromLocalFile(scratch.filePath(QStringLiteral("rx.jpg"))));
    EXPECT_EQ(views::AppGlobals.ShellTarget.trimmed(), "rx.jpg");
    pressCancel();
}

TEST_F(StudyFormTest, VerOnAMissingFileSaysSoAndTheFormStays)
{
    openStudy(InsertRecord);
    type(QStringLiteral("?ANA:ARCHIVO"), QStringLiteral("ninguno.jpg"));
    driver.click(QStringLiteral("?BUTTON4"));
    EXPECT_TRUE(driver.answer(QStringLiteral("File not found"), QStringLiteral("OK")));
    EXPECT_TRUE(shell.handed.empty());
    EXPECT_FALSE(ended);
    pressCancel();
}

TEST_F(StudyFormTest, ACancelledDialogKeepsTheFileTheStudyNames)
{
    openStudy(InsertRecord);
    type(QStringLiteral("?ANA:ARCHIVO"), QStringLiteral("rx.jpg"));
    driver.click(QStringLiteral("?LOOKUPFILE"));
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_EQ(shown(QStringLiteral("?ANA:ARCHIVO")), "rx.jpg");
    pressOk();
    ASSERT_EQ(all<ANALISIS>().size(), 1u);
    EXPECT_EQ(all<ANALISIS>()[0].ARCHIVO, "rx.jpg");
}

TEST_F(StudyFormTest, ANameWithoutAFolderOrAFolderAloneIsStoredAsTyped)
{
    for (const char* typed : { "rx.jpg", "C:\\Estudios\\" }) {
        openStudy(InsertRecord);
        type(QStringLiteral("?ANA:ARCHIVO"), QString::fromLatin1(typed));
        pressOk();
        EXPECT_EQ(all<ANALISIS>().back().ARCHIVO, QString::fromLatin1(typed));
    }
    EXPECT_EQ(QDir::current().entryList({ QStringLiteral("*.jpg") }, QDir::Files), QStringList());
}

struct StudyField {
    const char* control;
    const char* typed; // what the user types there; the patient's code only shows
};

TEST_F(StudyFormTest, TheNextStudyRecallsEachOfItsFourFieldsFromTheLastOne)
{
    const StudyField typed[] = {
        { "?ANA:ANALISIS", "Hemograma completo" },
        { "?ANA:ARCHIVO", "hemo.pdf" },
        { "?ANA:RESULTADOS", "Sin alteraciones" },
        { "?ANA:PACIENTE", "7" },
    };
    openStudy(InsertRecord, 2);
    for (const StudyField& field : typed)
        fill(field.control, field.typed);
    EXPECT_TRUE(recall("?ANA:ANALISIS")) << "nothing completed yet on this thread";
    EXPECT_EQ(shown(QStringLiteral("?ANA:ANALISIS")), QStringLiteral("Hemograma completo"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_EQ(all<ANALISIS>().size(), 1u);

    // The second study starts blank but for its patient; each key fills its own field alone.
    EXPECT_EQ(shown(QStringLiteral("?ANA:ARCHIVO")), QString());
    for (const StudyField& field : typed) {
        SCOPED_TRACE(field.control);
        EXPECT_FALSE(recall(field.control));
        EXPECT_EQ(shown(QString::fromLatin1(field.control)).trimmed(), QString::fromUtf8(field.typed));
    }
    EXPECT_TRUE(recall("?BUTTON4")) << "nothing to recall on a button";
    pressCancel();
    EXPECT_EQ(all<ANALISIS>().size(), 1u);
}

TEST_F(StudyFormTest, AfterAnotherStationsChangeMessage8ShowsTheirsAndCtrlHBringsBackWhatWasTyped)
{
    ANALISIS theirs = storedStudy();
    theirs.ARCHIVO = QStringLiteral("rx.jpg");
    theirs.RESULTADOS = QStringLiteral("Sin hallazgos");
    store(theirs);
    openStudy(ChangeRecord);
    const StudyField typed[] = {
        { "?ANA:ANALISIS", "Placa de tórax frente" },
        { "?ANA:ARCHIVO", "rx-frente.jpg" },
        { "?ANA:RESULTADOS", "Opacidad basal derecha" },
    };
    for (const StudyField& field : typed)
        fill(field.control, field.typed);

    nidora::test::OtherStation reception(
        { "change-study", "5", "Placa de tórax", "rx-otra.jpg", "Informe de la otra estación" });
    ASSERT_EQ(reception.finish(), 0);
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.answer(QStringLiteral("Those changes will now be displayed. Use the Ditto Button or "
                                             "Ctrl+H to recall your changes."),
        QStringLiteral("OK")));
    ASSERT_FALSE(ended) << "the form stays open";
    EXPECT_EQ(shown(QStringLiteral("?ANA:ANALISIS")).trimmed(), QStringLiteral("Placa de tórax"));
    EXPECT_EQ(shown(QStringLiteral("?ANA:ARCHIVO")).trimmed(), QStringLiteral("rx-otra.jpg"));
    EXPECT_EQ(shown(QStringLiteral("?ANA:RESULTADOS")), QStringLiteral("Informe de la otra estación"));

    for (const StudyField& field : typed) {
        SCOPED_TRACE(field.control);
        EXPECT_FALSE(recall(field.control));
        EXPECT_EQ(shown(QString::fromLatin1(field.control)).trimmed(), QString::fromUtf8(field.typed));
    }
    EXPECT_EQ(all<ANALISIS>().at(0).RESULTADOS, QStringLiteral("Informe de la otra estación"))
        << "nothing written until OK";
    pressOk();
    EXPECT_EQ(answer, Completed);
    ASSERT_EQ(all<ANALISIS>().size(), 1u);
    const ANALISIS written = all<ANALISIS>()[0];
    EXPECT_EQ(written.ANALISIS_, QStringLiteral("Placa de tórax frente"));
    EXPECT_EQ(written.ARCHIVO, QStringLiteral("rx-frente.jpg"));
    EXPECT_EQ(written.RESULTADOS, QStringLiteral("Opacidad basal derecha"));
}

TEST_F(StudyFormTest, ACopyThatFailsKeepsTheOriginalPathAndSaysSo)
{
    openStudy(InsertRecord);
    type(QStringLiteral("?ANA:ARCHIVO"), QStringLiteral("C:\\Estudios\\rx.jpg"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_TRUE(driver.answer(QStringLiteral("No se pudo copiar el archivo adjunto"), QStringLiteral("OK")));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(all<ANALISIS>()[0].ARCHIVO, "C:\\Estudios\\rx.jpg");
}

TEST_F(StudyFormTest, AnotherAttachmentOfThatNameIsNeverReplaced)
{
    QFile other(scratch.filePath(QStringLiteral("rx.jpg")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("another patient's plate");
    other.close();
    openStudy(InsertRecord);
    type(QStringLiteral("?ANA:ARCHIVO"), platePath());
    pressOk();
    EXPECT_EQ(all<ANALISIS>()[0].ARCHIVO, "rx(2).jpg");
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "another patient's plate");
}

TEST_F(StudyFormTest, ViewingAStudyCopiesNothing)
{
    ANALISIS kept = storedStudy();
    kept.ARCHIVO = platePath();
    store(kept);
    openStudy(ViewRecord);
    pressOk();
    EXPECT_EQ(answer, Cancelled);
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("rx.jpg"))));
}

} // namespace
} // namespace nidora::clinical
