#include "views/RecordWindowsTest.h"

#include "support/QStringPrinter.h"

#include "clinical/ParentWindows.h"

#include "data/PatientRecords.h"
#include "framework/KeyCodes.h"
#include "views/DictionarySetup.h"

#include <QComboBox>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::MADRES;
using data::OBRASSOCIALES;

const QString kList = QStringLiteral("Archivo de Madres");
const QString kInsert = QStringLiteral("Nuevo Registro");

// A new mother's form over the coverages "Alfa Salud", "Alfa Salud Plus" and "IOMA".
class MotherCoverageTest : public views::test::RecordWindowsTest {
protected:
    void SetUp() override
    {
        for (const char* name : { "IOMA", "Alfa Salud Plus", "Alfa Salud" }) {
            OBRASSOCIALES coverage;
            coverage.NOMBRE = QString::fromUtf8(name);
            store(coverage);
        }
        driver.start([this] {
            BrowseMADRES();
            ended = true;
        });
        ASSERT_NE(driver.window(kList), nullptr);
        driver.click(QStringLiteral("?INSERT:2"));
        ASSERT_NE(driver.window(kInsert), nullptr);
        coverage = qobject_cast<QComboBox*>(driver.find(QStringLiteral("?MAD:OBRASOCIAL")));
        ASSERT_NE(coverage, nullptr);
        driver.type(QStringLiteral("?MAD:NOMBRE"), QStringLiteral("Gómez, Marta"));
    }
    void TearDown() override
    {
        if (driver.window(kInsert))
            driver.click(QStringLiteral("?CANCEL"));
        driver.close(kList);
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    // Types over the coverage's line as the user does and leaves it for the history below.
    void typeCoverage(const QString& text)
    {
        QLineEdit* line = coverage->lineEdit();
        line->setFocus();
        line->selectAll();
        line->insert(text);
        driver.find(QStringLiteral("?MAD:ANTECEDENTES"))->setFocus();
        driver.settle();
    }
    bool coverageHasTheFocus() const
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus == coverage || focus == coverage->lineEdit();
    }
    void pressOk()
    {
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(driver.runUntil([this] { return driver.window(kInsert) == nullptr; }));
    }

    QComboBox* coverage = nullptr;
    bool ended = false;
};

TEST_F(MotherCoverageTest, OffersTheCoveragesInNameOrderAndStartsBlank)
{
    QStringList offered;
    for (int row = 0; row < coverage->count(); ++row)
        offered << coverage->itemText(row);
    EXPECT_THAT(offered, testing::ElementsAre("Alfa Salud", "Alfa Salud Plus", "IOMA"));
    EXPECT_EQ(coverage->currentText(), QString());
}

struct TypedCase {
    const char* name;
    const char* typed;
    const char* chosen; // what the line shows and the mother keeps
    bool focusStays;
};

void PrintTo(const TypedCase& c, std::ostream* out)
{
    *out << c.name;
}

class MotherCoverageTyped : public MotherCoverageTest, public testing::WithParamInterface<TypedCase> { };

TEST_P(MotherCoverageTyped, TypedTextBecomesTheCoverageItNamesOrNothing)
{
    typeCoverage(QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(coverage->currentText(), QString::fromUtf8(GetParam().chosen));
    EXPECT_EQ(coverageHasTheFocus(), GetParam().focusStays);
    EXPECT_EQ(coverage->count(), 3); // the form adds no coverage
    pressOk();
    const std::vector<MADRES> stored = all<MADRES>();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].OBRASOCIAL, QString::fromUtf8(GetParam().chosen));
    EXPECT_EQ(all<OBRASSOCIALES>().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Coverages, MotherCoverageTyped,
    testing::Values(TypedCase { "EqualIgnoringCase", "alfa salud", "Alfa Salud", false },
        TypedCase { "Prefix", "ioM", "IOMA", false },
        TypedCase { "PrefixOfTwoTakesTheFirst", "alfa", "Alfa Salud", false },
        TypedCase { "NoMatchIsEmptiedAndKeepsTheFocus", "Zeta", "", true },
        TypedCase { "BlankStaysBlank", "", "", false }),
    [](const testing::TestParamInfo<TypedCase>& param) { return std::string(param.param.name); });

// The coverage a mother was given through her form holds it in the table.
TEST_F(MotherCoverageTest, ACoverageAMotherNamesCannotBeDeleted)
{
    typeCoverage(QStringLiteral("ioma"));
    pressOk();
    data::AccessResult result = data::AccessResult::Ok;
    bool deleted = false;
    driver.start([&] {
        data::Dictionary& data = views::threadDictionary();
        data::RelationObject& coverages = data.relation<OBRASSOCIALES>();
        coverages.open();
        data.buffer<OBRASSOCIALES>().NOMBRE = QStringLiteral("IOMA");
        if (coverages.access().fetch(coverages.access().key("OBR:KNOMBRE")) == data::AccessResult::Ok)
            result = coverages.deleteRecord(false);
        coverages.close();
        deleted = true;
    });
    ASSERT_TRUE(driver.answer(QStringLiteral("referenced from the file MADRES."), QStringLiteral("OK")));
    ASSERT_TRUE(driver.runUntil([&] { return deleted; }));
    EXPECT_NE(result, data::AccessResult::Ok);
    EXPECT_EQ(all<OBRASSOCIALES>().size(), 3u);
}

} // namespace
} // namespace nidora::clinical
