#include "views/RecordWindowsTest.h"
#include "views/ReportTestSupport.h"

#include "support/QStringPrinter.h"

#include "clinical/Prescription.h"

#include "core/Date.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "platform/PracticeSettings.h"
#include "reports/PageText.h"
#include "views/ProgramGlobals.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::CONSULTAS;
using data::MEDICOS;
using data::PACIENTES;

constexpr std::int32_t kPatient = 7;
constexpr std::int32_t kConsultation = 31;

CONSULTAS consultationWith(const char* prescription, const char* diagnosis, const char* medication)
{
    CONSULTAS made = nidora::test::consultation(kConsultation, kPatient);
    made.RECETA = QString::fromUtf8(prescription);
    made.DIAGNOSTICOP = QString::fromUtf8(diagnosis);
    made.MEDICACION = QString::fromUtf8(medication);
    return made;
}

// The text the window opens with, built or as stored.
struct TextCase {
    const char* stored;
    const char* diagnosis;
    const char* medication;
    const char* shown;
};

class PrescriptionTextTest : public testing::TestWithParam<TextCase> { };

TEST_P(PrescriptionTextTest, IsBuiltWhenTheStoredOneIsShorterThanTenCharacters)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(
        prescriptionText(consultationWith(c.stored, c.diagnosis, c.medication)), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrescriptionTextTest,
    testing::Values(TextCase { "", "", "", "DIAGNOSTICO:\r\n\r\n" },
        TextCase { "", "Otitis", "Amoxicilina", "DIAGNOSTICO: Otitis\r\n\r\nAmoxicilina" },
        TextCase { "", "Otitis   ", "Amoxicilina\n500 mg", "DIAGNOSTICO: Otitis\r\n\r\nAmoxicilina\n500 mg" },
        TextCase { "123456789", "Otitis", "", "DIAGNOSTICO: Otitis\r\n\r\n" },
        // Trailing blanks do not make a short prescription long enough to keep.
        TextCase { "123456789      ", "Otitis", "", "DIAGNOSTICO: Otitis\r\n\r\n" },
        TextCase { "1234567890", "Otitis", "Amoxicilina", "1234567890" },
        TextCase { " 23456789", "Otitis", "", "DIAGNOSTICO: Otitis\r\n\r\n" },
        TextCase { " 234567890", "Otitis", "", " 234567890" }));

// The text of every page the report handed over.
QStringList pageTexts(const std::vector<views::ReportPage>& pages)
{
    QStringList texts;
    for (const views::ReportPage& page : pages)
        texts << reports::pageTextLines(page.metafile()).join(u'\n');
    return texts;
}

class PrescriptionWindowTest : public views::test::RecordWindowsTest {
protected:
    PrescriptionWindowTest()
    {
        MEDICOS first = nidora::test::doctor(1, "Dra. Primera");
        first.MATRICULA = QStringLiteral("M.P. 1111");
        store(first);
        store(nidora::test::doctorWithHeader(2, "Dr. Segundo Gómez"));
        PACIENTES child = nidora::test::patient(kPatient, "Pérez, Ana");
        child.OBRASOCIAL = QStringLiteral("OSDE");
        child.NROOBRASOCIAL = QStringLiteral("123-456");
        store(child);
    }
    ~PrescriptionWindowTest() override { views::AppGlobals = views::ProgramGlobals {}; }

    void storeConsultation(const char* prescription = "", const char* diagnosis = "Otitis",
        const char* medication = "Amoxicilina")
    {
        CONSULTAS c = consultationWith(prescription, diagnosis, medication);
        c.FECHA = makeDate(2021, 3, 4);
        c.ANIOS = 5;
        c.MESES = 2;
        c.DIAS = 9;
        store(c);
    }
    // The window for the consultation, as the patient form calls it.
    void open(std::int32_t consultation = kConsultation)
    {
        ended = false;
        driver.start([this, consultation] {
            prescription(consultation);
            header = prescriptionValues();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Receta")), nullptr);
    }
    QPlainTextEdit* editor() const
    {
        return qobject_cast<QPlainTextEdit*>(driver.find(QStringLiteral("?RECETA")));
    }
    void press()
    {
        driver.click(QStringLiteral("?BUTTON1"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    CONSULTAS stored()
    {
        for (const CONSULTAS& each : all<CONSULTAS>())
            if (each.CODIGO == kConsultation)
                return each;
        return {};
    }

    QStringList printed() const { return pageTexts(sink.handed); }

    views::test::PreviewSink sink;
    views::test::ProgramPreviewerOverride previewing { sink };
    PrescriptionValues header;
    bool ended = false;
};

TEST_F(PrescriptionWindowTest, OpensWithTheBuiltTextAndPrintsAndStoresItWithTheDoctorsHeader)
{
    storeConsultation();
    ASSERT_TRUE(platform::PracticeSettings::writeInt(QStringLiteral("medico"), 2));
    open();
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(editor()->toPlainText(), "DIAGNOSTICO: Otitis\n\nAmoxicilina");
    EXPECT_EQ(editor()->document()->blockCount(), 3);
    editor()->moveCursor(QTextCursor::End);
    editor()->insertPlainText(QStringLiteral(" 250 mg cada 8 horas"));
    press();

    EXPECT_EQ(stored().RECETA, "DIAGNOSTICO: Otitis\n\nAmoxicilina 250 mg cada 8 horas");
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, 2);
    ASSERT_EQ(printed().size(), 1u);
    const QString page = printed().front();
    for (const char* expected :
        { "Dr. Segundo Gómez", "M.P. 12342", "Pediatría", "Av. San Martín 1234", "Rosario",
            "Tel. 0341 4401234", "consultorio@ejemplo.com.ar", "Fecha:", "04/03/2021", "Edad:", "5a", "2m",
            "9d", "Pérez, Ana", "OSDE", "123-456", "DIAGNOSTICO: Otitis", "Amoxicilina 250 mg cada 8 horas" })
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected << " in\n" << qPrintable(page);
    // The header comes first, then the consultation, then the text.
    EXPECT_LT(page.indexOf(QStringLiteral("Dr. Segundo")), page.indexOf(QStringLiteral("Fecha:")));
    EXPECT_LT(page.indexOf(QStringLiteral("Pérez, Ana")), page.indexOf(QStringLiteral("DIAGNOSTICO")));
}

TEST_F(PrescriptionWindowTest, AStoredPrescriptionOfTenCharactersOrMoreIsShownAsStored)
{
    storeConsultation("Paracetamol gotas");
    open();
    EXPECT_EQ(editor()->toPlainText(), "Paracetamol gotas");
    driver.close(QStringLiteral("Receta"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
}

// The doctor of the header is the one the settings file names each time the window opens,
// doctor 1 when it names none.
struct DoctorCase {
    const char* setting; // null: no key
    std::uint8_t physician;
    const char* name;
};

class PrescriptionDoctorTest : public PrescriptionWindowTest,
                               public testing::WithParamInterface<DoctorCase> { };

TEST_P(PrescriptionDoctorTest, HeaderIsTheDoctorOfTheSettingsFile)
{
    storeConsultation();
    const DoctorCase& c = GetParam();
    if (c.setting) {
        ASSERT_TRUE(
            platform::PracticeSettings::write(QStringLiteral("medico"), QString::fromUtf8(c.setting)));
    }
    views::AppGlobals.CurrentPhysician = 9; // what the program last held, replaced
    open();
    press();
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, c.physician);
    EXPECT_EQ(header.NOMBREMEDICO.trimmed(), QString::fromUtf8(c.name));
    EXPECT_EQ(header.NOMBREMEDICO.size(), 30);
    ASSERT_EQ(printed().size(), 1u);
    // An unknown doctor leaves the header blank.
    EXPECT_EQ(printed().front().contains(QStringLiteral("M.P. ")), *c.name != '\0')
        << qPrintable(printed().front());
}

INSTANTIATE_TEST_SUITE_P(Settings, PrescriptionDoctorTest,
    testing::Values(DoctorCase { nullptr, 1, "Dra. Primera" }, DoctorCase { "0", 1, "Dra. Primera" },
        DoctorCase { "2", 2, "Dr. Segundo Gómez" }, DoctorCase { "5", 5, "" }));

TEST_F(PrescriptionWindowTest, TheEditorTakesNoMoreThanTheMemoStores)
{
    storeConsultation();
    open();
    editor()->selectAll();
    const QString typed = QString(1500, u'a') + u'\n' + QString(1000, u'b');
    editor()->insertPlainText(typed);
    EXPECT_EQ(editor()->toPlainText(), typed.left(2000));
    // Typing on at the end of a full text adds nothing.
    editor()->moveCursor(QTextCursor::End);
    editor()->insertPlainText(QStringLiteral("zz"));
    EXPECT_EQ(editor()->toPlainText(), typed.left(2000));
    press();
    EXPECT_EQ(stored().RECETA, typed.left(2000));
    ASSERT_EQ(printed().size(), 1u);
    EXPECT_TRUE(printed().front().contains(QStringLiteral("bbbb")));
}

TEST_F(PrescriptionWindowTest, ATextLongerThanThePageRunsOnUnderTheDoctorsDataAgain)
{
    // The 2,000 characters the prescription stores: words that fill lines, then short lines
    // one under another, more than a page holds.
    QStringList words;
    for (int n = 1; words.join(u' ').size() < 900; ++n)
        words << QStringLiteral("p%1").arg(n, 4, 10, QLatin1Char('0'));
    QStringList lines;
    for (int n = 1; (words.join(u' ') + u'\n' + lines.join(u'\n')).size() + 6 <= 2000; ++n)
        lines << QStringLiteral("l%1").arg(n, 4, 10, QLatin1Char('0'));
    const QString typed = words.join(u' ') + u'\n' + lines.join(u'\n');
    storeConsultation();
    ASSERT_TRUE(platform::PracticeSettings::writeInt(QStringLiteral("medico"), 2));
    open();
    editor()->selectAll();
    editor()->insertPlainText(typed);
    press();
    ASSERT_EQ(stored().RECETA, typed);
    const QStringList pages = printed();
    ASSERT_GE(pages.size(), 2u);
    static const QRegularExpression numbered(QStringLiteral("\\b[pl]\\d{4}\\b"));
    QStringList found;
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(QStringLiteral("Dr. Segundo Gómez"))) << qPrintable(page);
        for (const auto& match : numbered.globalMatch(page))
            found << match.captured();
    }
    EXPECT_EQ(found.join(u' '), (words + lines).join(u' '));
    // The consultation's own lines stand on the first page only.
    EXPECT_TRUE(pages.front().contains(QStringLiteral("Pérez, Ana")));
    EXPECT_FALSE(pages.back().contains(QStringLiteral("Pérez, Ana")));
}

TEST_F(PrescriptionWindowTest, ClosingWithoutTheButtonStoresAndPrintsNothing)
{
    storeConsultation("Ibuprofeno jarabe");
    open();
    editor()->selectAll();
    editor()->insertPlainText(QStringLiteral("otra cosa"));
    driver.close(QStringLiteral("Receta"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(stored().RECETA, "Ibuprofeno jarabe");
    EXPECT_TRUE(printed().empty());
}

TEST_F(PrescriptionWindowTest, TheCallersPatientAndConsultationBuffersAreKept)
{
    storeConsultation();
    QString patientName;
    QString consultationReason;
    ended = false;
    driver.start([&] {
        data::Dictionary& data = views::threadDictionary();
        data.relation<PACIENTES>().open();
        // What a patient form holds and has not yet written.
        data.buffer<PACIENTES>() = nidora::test::patient(3, "Typed, Not Stored");
        data.buffer<CONSULTAS>() = nidora::test::consultation(99, 3, "TECLEADO");
        prescription(kConsultation);
        patientName = data.buffer<PACIENTES>().NOMBRE;
        consultationReason = data.buffer<CONSULTAS>().MOTIVO;
        data.relation<PACIENTES>().close();
        ended = true;
    });
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(patientName, "Typed, Not Stored");
    EXPECT_EQ(consultationReason, "TECLEADO");
    EXPECT_EQ(stored().RECETA, "DIAGNOSTICO: Otitis\n\nAmoxicilina");
}

TEST_F(PrescriptionWindowTest, AConsultationNotOnFileIsNeitherStoredNorPrinted)
{
    open(0);
    EXPECT_EQ(editor()->toPlainText(), "DIAGNOSTICO:\n\n");
    driver.click(QStringLiteral("?BUTTON1"));
    EXPECT_TRUE(driver.answer(QStringLiteral("la receta no se guardó"), QStringLiteral("OK")));
    EXPECT_TRUE(
        driver.answer(QStringLiteral("There are no records available to process."), QStringLiteral("OK")));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_TRUE(printed().empty());
    EXPECT_TRUE(all<CONSULTAS>().empty());
}

} // namespace
} // namespace nidora::clinical
