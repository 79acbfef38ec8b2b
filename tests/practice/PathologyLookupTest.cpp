#include "TablesWindowsTest.h"

#include "framework/KeyCodes.h"
#include "views/DictionarySetup.h"

#include <gmock/gmock.h>

namespace nidora::practice::test {
namespace {

using testing::ElementsAre;

class LookupTest : public TablesWindowsTest {
protected:
    void SetUp() override
    {
        for (const char* name : { "ANGINA", "GRIPE", "VARICELA" }) {
            data::TABENFERMED pathology;
            pathology.NOMBRE = QString::fromUtf8(name);
            store(pathology);
        }
    }
    // The consultation form's call: its diagnosis left in the pathology buffer, the list
    // called with a request, and what the buffer holds when the list returns.
    void lookUp(std::uint8_t request, const char* diagnosis = "DIAGNÓSTICO PREVIO")
    {
        answer = -1;
        driver.start([this, request, diagnosis] {
            data::TABENFERMED& buffer = views::threadDictionary().buffer<data::TABENFERMED>();
            buffer.NOMBRE = QString::fromUtf8(diagnosis);
            const int response = framework::callWithRequest(request, BrowseENFERMEDADES);
            chosen = buffer.NOMBRE;
            answer = response;
        });
        ASSERT_NE(driver.window(QStringLiteral("Tabla de Patologías")), nullptr);
    }
    bool selectShown()
    {
        QWidget* select = driver.find(QStringLiteral("?SELECT"));
        return select && select->isVisible();
    }

    QString chosen;
};

TEST_F(LookupTest, CalledToChooseItAnswersTheHighlightedPathology)
{
    lookUp(SelectRecord);
    EXPECT_TRUE(selectShown());
    EXPECT_THAT(shownRows("?BROWSE:1"),
        ElementsAre(QStringList { "ANGINA" }, QStringList { "GRIPE" }, QStringList { "VARICELA" }));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::letter('V'));
    driver.click(QStringLiteral("?SELECT"));
    ASSERT_TRUE(ended());
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen, QStringLiteral("VARICELA"));
}

TEST_F(LookupTest, OpensOnTheDiagnosisTypedOrTheFirstPathologyAfterIt)
{
    lookUp(SelectRecord, "gripe");
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("GRIPE"));
    closeWindow("Tabla de Patologías");
    lookUp(SelectRecord, "H");
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("VARICELA"));
    closeWindow("Tabla de Patologías");
}

TEST_F(LookupTest, ClosedWithoutChoosingItLeavesTheCallersDiagnosis)
{
    lookUp(SelectRecord);
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    // A row looked at through the form is no choice either.
    driver.click(QStringLiteral("?CHANGE:2"));
    ASSERT_NE(driver.window(QStringLiteral("Cambiar Patología")), nullptr);
    driver.click(QStringLiteral("?CANCEL"));
    closeWindow("Tabla de Patologías");
    EXPECT_EQ(answer, Cancelled);
    EXPECT_EQ(chosen, QStringLiteral("DIAGNÓSTICO PREVIO"));
}

TEST_F(LookupTest, APathologyAddedFromTheLookupCanBeChosenAtOnce)
{
    lookUp(SelectRecord);
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Agregar Patología")), nullptr);
    driver.type(QStringLiteral("?TEN:NOMBRE"), QStringLiteral("BRONQUITIS"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(highlighted("?BROWSE:1"), QStringLiteral("BRONQUITIS"));
    driver.click(QStringLiteral("?SELECT"));
    ASSERT_TRUE(ended());
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen, QStringLiteral("BRONQUITIS"));
}

TEST_F(LookupTest, OpenedOtherwiseItHasNoSelectButton)
{
    lookUp(0);
    EXPECT_FALSE(selectShown());
    EXPECT_NE(driver.find(QStringLiteral("?INSERT:2")), nullptr);
    closeWindow("Tabla de Patologías");
    EXPECT_EQ(answer, Cancelled);
}

class CoverageListTest : public TablesWindowsTest {
protected:
    void SetUp() override
    {
        for (const char* name : { "IOMA", "OSDE" }) {
            data::OBRASSOCIALES coverage;
            coverage.NOMBRE = QString::fromUtf8(name);
            store(coverage);
        }
    }
};

TEST_F(CoverageListTest, ShowsItsSelectButtonOnlyWhenCalledToChoose)
{
    QString chosen;
    driver.start([&] {
        answer = framework::callWithRequest(SelectRecord, Browse_OBRASSOCIALES);
        chosen = views::threadDictionary().buffer<data::OBRASSOCIALES>().NOMBRE;
    });
    ASSERT_NE(driver.window(QStringLiteral("Coberturas Sociales")), nullptr);
    EXPECT_TRUE(driver.find(QStringLiteral("?SELECT:2"))->isVisible());
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    driver.click(QStringLiteral("?SELECT:2"));
    ASSERT_TRUE(ended());
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen, QStringLiteral("OSDE"));

    startProcedure(Browse_OBRASSOCIALES);
    EXPECT_FALSE(driver.find(QStringLiteral("?SELECT:2"))->isVisible());
    closeWindow("Coberturas Sociales");
}

TEST_F(CoverageListTest, AddsThroughItsButtonOnlyAndItsForm)
{
    startProcedure(Browse_OBRASSOCIALES);
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Insert);
    EXPECT_EQ(driver.window(QStringLiteral("Nueva Cobertura")), nullptr); // no keys for it
    driver.click(QStringLiteral("?INSERT:3"));
    ASSERT_NE(driver.window(QStringLiteral("Nueva Cobertura")), nullptr);
    driver.type(QStringLiteral("?OBR:NOMBRE"), QStringLiteral("PAMI"));
    driver.click(QStringLiteral("?OK"));
    EXPECT_THAT(shownRows("?BROWSE:1"),
        ElementsAre(QStringList { "IOMA" }, QStringList { "OSDE" }, QStringList { "PAMI" }));
    closeWindow("Coberturas Sociales");
}

} // namespace
} // namespace nidora::practice::test
