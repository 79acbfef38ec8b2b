#include "ReportsFixture.h"

#include "reports/Prompts.h"

#include "data/ScratchRecords.h"
#include "framework/KeyCodes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QSpinBox>

#include <gmock/gmock.h>

namespace nidora::reports {
namespace {

using data::PACIENTES;
using testing::ElementsAre;
using views::AppGlobals;

constexpr const char* kLookup = "Seleccionar un registro de tabla PACIENTES";

class PromptsTest : public test::ReportsTest {
protected:
    PromptsTest()
    {
        store(nidora::test::patient(3, "García, Luis"));
        store(nidora::test::patient(7, "Pérez, Ana"));
    }
    void closePrompt()
    {
        driver.close(QStringLiteral("Informes"));
        ASSERT_TRUE(finished());
    }
};

TEST_F(PromptsTest, EachPromptOpensWithItsDefaults)
{
    struct Case {
        const char* prompt;
        void (*procedure)();
        const char* from; // what ?DF shows, null when the prompt has no dates
        const char* to;
    };
    const Case cases[] = {
        { "Pantalla4", Pantalla4, "", "14/03/2011" },
        { "Pantalla5", Pantalla5, "", "01/01/2011" },
        { "Pantalla21", Pantalla21, "14/03/2011", "14/03/2011" },
        { "Pantalla31", Pantalla31, "", "14/03/2011" },
        { "Pantalla32", Pantalla32, "", "14/03/2011" },
        { "Pantalla33", Pantalla33, "", "14/03/2011" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        AppGlobals.DF = 0;
        AppGlobals.HF = makeDate(2011, 1, 1);
        start(c.procedure);
        ASSERT_NE(driver.window(QStringLiteral("Informes")), nullptr);
        EXPECT_EQ(shownIn("?DF").trimmed(), QString::fromLatin1(c.from));
        EXPECT_EQ(shownIn("?HF").trimmed(), QString::fromLatin1(c.to));
        closePrompt();
    }

    AppGlobals.MES = 7;
    start(Pantalla24);
    auto* month = qobject_cast<QSpinBox*>(driver.find(QStringLiteral("?MES")));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->value(), 3) << "the current month";
    closePrompt();

    start(Pantalla22);
    EXPECT_EQ(shownIn("?DLETRA"), "A");
    EXPECT_EQ(shownIn("?HLETRA"), "Z");
    closePrompt();

    AppGlobals.SELECTPACIENTE = 7;
    start(Pantalla1);
    EXPECT_EQ(shownIn("?SELECTPACIENTE").trimmed(), "7") << "the patient the last prompt chose";
    EXPECT_EQ(driver.find(QStringLiteral("?DF")), nullptr);
    closePrompt();
}

TEST_F(PromptsTest, ATypedCodeOnFileIsKeptAndAnUnknownOneOpensTheLookup)
{
    start(Pantalla1);
    driver.type(QStringLiteral("?SELECTPACIENTE"), QStringLiteral("3"));
    driver.accept(QStringLiteral("?SELECTPACIENTE"));
    EXPECT_EQ(driver.window(QString::fromLatin1(kLookup)), nullptr);
    EXPECT_EQ(AppGlobals.SELECTPACIENTE, 3);

    driver.type(QStringLiteral("?SELECTPACIENTE"), QStringLiteral("99"));
    driver.accept(QStringLiteral("?SELECTPACIENTE"));
    ASSERT_NE(driver.window(QString::fromLatin1(kLookup)), nullptr);
    driver.close(QString::fromLatin1(kLookup));
    EXPECT_EQ(shownIn("?SELECTPACIENTE").trimmed(), "99")
        << "closed without a choice, the code stays as typed";
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?SELECTPACIENTE")));

    driver.accept(QStringLiteral("?SELECTPACIENTE"));
    ASSERT_NE(driver.window(QString::fromLatin1(kLookup)), nullptr);
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down); // Pérez, Ana after García, Luis
    driver.click(QStringLiteral("?SELECT:2"));
    EXPECT_EQ(driver.window(QString::fromLatin1(kLookup)), nullptr);
    EXPECT_EQ(AppGlobals.SELECTPACIENTE, 7);
    EXPECT_EQ(shownIn("?SELECTPACIENTE").trimmed(), "7");
    closePrompt();
}

TEST_F(PromptsTest, TheLookupButtonPutsTheChosenPatientAndMovesOnToTheDates)
{
    start(Pantalla4);
    driver.click(QStringLiteral("?FLDLOOKUP"));
    ASSERT_NE(driver.window(QString::fromLatin1(kLookup)), nullptr);
    driver.click(QStringLiteral("?SELECT:2"));
    EXPECT_EQ(driver.window(QString::fromLatin1(kLookup)), nullptr);
    EXPECT_EQ(AppGlobals.SELECTPACIENTE, 3);
    EXPECT_EQ(shownIn("?SELECTPACIENTE").trimmed(), "3");
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?DF")));

    driver.click(QStringLiteral("?FLDLOOKUP"));
    driver.close(QString::fromLatin1(kLookup));
    EXPECT_EQ(AppGlobals.SELECTPACIENTE, 3) << "no choice changes nothing";
    EXPECT_EQ(QApplication::focusWidget(), driver.find(QStringLiteral("?FLDLOOKUP")));
    closePrompt();
}

TEST_F(PromptsTest, OkPrintsWhatTheWindowShowsAndClosesOnceTheReportReturns)
{
    start(Pantalla1);
    driver.type(QStringLiteral("?SELECTPACIENTE"), QStringLiteral("7"));
    // Another prompt changes the value meanwhile: this window's own is the one printed.
    AppGlobals.SELECTPACIENTE = 3;
    ok();
    ASSERT_TRUE(finished());
    EXPECT_EQ(AppGlobals.SELECTPACIENTE, 7);
    ASSERT_EQ(previewer.previews.size(), 1u);
    EXPECT_EQ(previewer.previews[0].size(), 1u);
    EXPECT_THAT(previewer.zooms, ElementsAre("Page Width"));
    EXPECT_EQ(driver.window(QStringLiteral("Informes")), nullptr);
}

TEST_F(PromptsTest, AnEmptySelectionShowsMessage25AndNoPreview)
{
    start(Pantalla2);
    driver.type(QStringLiteral("?SELECTPACIENTE"), QStringLiteral("0"));
    ok();
    ASSERT_TRUE(
        driver.answer(QStringLiteral("There are no records available to process."), QStringLiteral("OK")));
    ASSERT_TRUE(finished());
    EXPECT_TRUE(previewer.previews.empty());
    EXPECT_EQ(driver.window(QStringLiteral("Informes")), nullptr);
}

TEST_F(PromptsTest, ClosingAPromptPrintsNothingAndLeavesNoScratchCopy)
{
    store(nidora::test::patient(9, "Zapata, Eva"));
    start(Pantalla24);
    closePrompt();
    EXPECT_TRUE(previewer.previews.empty());
    const QStringList left = QDir(scratch.path()).entryList({ QStringLiteral("OUTPU*") });
    EXPECT_TRUE(left.isEmpty()) << qPrintable(left.join(QLatin1Char(' ')));
}

TEST_F(PromptsTest, TheReasonTakesAllItsTwentyFiveCharactersAndTheTablesOfferTheirNames)
{
    for (const char* reason : { "Control de niño sano y vacunas", "Fiebre" }) {
        data::MOTIVOS row;
        row.MOTIVO = QString::fromUtf8(reason).left(25);
        store(row);
    }
    start(Pantalla31);
    auto* reasons = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?SELECTMOTIVO")));
    ASSERT_NE(reasons, nullptr);
    ASSERT_EQ(reasons->count(), 2);
    EXPECT_EQ(reasons->itemText(0), QStringLiteral("Control de niño sano y va"));
    EXPECT_EQ(reasons->itemText(1), QStringLiteral("Fiebre"));
    reasons->setEditText(QStringLiteral("Control de niño sano y vacunas"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(
        driver.answer(QStringLiteral("There are no records available to process."), QStringLiteral("OK")));
    ASSERT_TRUE(finished());
    EXPECT_EQ(AppGlobals.SELECTMOTIVO.trimmed(), QStringLiteral("Control de niño sano y va"));
}

} // namespace
} // namespace nidora::reports
