#include "views/RecordWindowsTest.h"

#include "clinical/PACIENTES_Seleccionar.h"

#include "data/PatientRecords.h"
#include "framework/KeyCodes.h"
#include "framework/Window.h"
#include "views/DictionarySetup.h"

#include <QAbstractItemView>

namespace nidora::clinical {
namespace {

using data::PACIENTES;

constexpr const char* kCaption = "Seleccionar un registro de tabla PACIENTES";

PACIENTES patient(std::int32_t code, const char* name, const char* sex)
{
    PACIENTES made = nidora::test::patient(code, name);
    made.SEXO = QString::fromUtf8(sex);
    return made;
}

class PatientLookupTest : public views::test::RecordWindowsTest {
protected:
    PatientLookupTest()
    {
        store(patient(1, "Pérez, Ana", "F"));
        store(patient(2, "García, Luis", "M"));
        store(patient(3, "Zapata, Eva", "F"));
    }

    // Calls the lookup as a caller on its thread would; afterwards `answer` holds its response
    // and `chosen` the patient left in the buffer.
    void startLookup()
    {
        driver.start([this] {
            answer = framework::callWithRequest(SelectRecord, PACIENTES_Seleccionar);
            chosen = views::threadDictionary().buffer<PACIENTES>();
            ended = true;
        });
        ASSERT_NE(driver.window(QString::fromUtf8(kCaption)), nullptr);
    }
    QAbstractItemModel* rows()
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")))->model();
    }

    int answer = 0;
    PACIENTES chosen;
    bool ended = false;
};

TEST_F(PatientLookupTest, ListsThePatientsByNameWithGirlsAndBoysInTheirColours)
{
    startLookup();
    ASSERT_EQ(rows()->rowCount(), 3);
    EXPECT_EQ(rows()->index(0, 0).data().toString().trimmed(), QStringLiteral("García, Luis"));
    EXPECT_EQ(rows()->index(1, 0).data().toString().trimmed(), QStringLiteral("Pérez, Ana"));
    EXPECT_NE(rows()->index(0, 0).data(Qt::ForegroundRole), rows()->index(1, 0).data(Qt::ForegroundRole));
    EXPECT_EQ(rows()->index(1, 0).data(Qt::ForegroundRole), rows()->index(2, 0).data(Qt::ForegroundRole));
    driver.close(QString::fromUtf8(kCaption));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
}

TEST_F(PatientLookupTest, ChoosingAPatientAnswersOneWithHimInTheBuffer)
{
    startLookup();
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    driver.click(QStringLiteral("?SELECT:2"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(chosen.CODIGO, 1);
    EXPECT_EQ(chosen.NOMBRE, QStringLiteral("Pérez, Ana"));
}

TEST_F(PatientLookupTest, ClosingWithoutAChoiceAnswersTwo)
{
    startLookup();
    driver.close(QString::fromUtf8(kCaption));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(answer, Cancelled);
}

TEST_F(PatientLookupTest, ResizingTheWindowLaysTheListAndTheButtonOutAgain)
{
    startLookup();
    QWidget* window = driver.window(QString::fromUtf8(kCaption));
    QWidget* table = driver.find(QStringLiteral("?BROWSE:1"));
    QWidget* choose = driver.find(QStringLiteral("?SELECT:2"));
    const QSize before = window->size();
    const int rightMargin = before.width() - choose->geometry().right();
    const int bottomMargin = before.height() - choose->geometry().bottom();
    const QSize listBefore = table->size();

    window->resize(before + QSize(200, 100));
    driver.settle();
    EXPECT_EQ(table->size(), listBefore + QSize(200, 100));
    EXPECT_EQ(window->width() - choose->geometry().right(), rightMargin);
    EXPECT_EQ(window->height() - choose->geometry().bottom(), bottomMargin);
    driver.close(QString::fromUtf8(kCaption));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
}

} // namespace
} // namespace nidora::clinical
