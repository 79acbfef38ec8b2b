#include "WindowTestSupport.h"

#include "core/Date.h"
#include "framework/ControlPictureSpin.h"

#include <QApplication>
#include <QLineEdit>

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

constexpr std::int32_t kNine = 9 * 360000 + 1;
constexpr std::int32_t kQuarter = 90000;

// A time and a date typed into entries and a time into a spin box, each holding a value already.
class TimesAndDates final : public SampleWindow {
public:
    TimesAndDates()
        : SampleWindow(QStringLiteral("Horas"))
    {
        add<EntryControl>(
            QStringLiteral("?HORA"), DialogRect { 4, 18, 40, 12 }, QStringLiteral("@T1"), entryValue(time));
        add<EntryControl>(
            QStringLiteral("?FECHA"), DialogRect { 50, 18, 50, 12 }, QStringLiteral("@d6"), entryValue(date));
        add<PictureSpinControl>(QStringLiteral("?DESDE"), DialogRect { 104, 18, 40, 12 },
            QStringLiteral("@T1"), bindTo(spun), 0, 8640000, kQuarter);
    }

    std::int32_t time = kNine;
    std::int32_t date = makeDate(2024, 3, 15);
    std::int32_t spun = kNine;
};

struct BadText {
    const char* control;
    const char* text;
    const char* message;
};

class TypedTimesAndDatesTest : public WindowsTest {
protected:
    TimesAndDates* window = nullptr;

    void SetUp() override
    {
        driver.start([this] {
            TimesAndDates shown;
            window = &shown;
            shown.run();
            window = nullptr;
        });
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override
    {
        driver.close(QStringLiteral("Horas"));
        EXPECT_TRUE(runUntilEnded(2));
    }
    QLineEdit* line(const char* control) const
    {
        QWidget* found = driver.find(QString::fromLatin1(control));
        auto* edit = qobject_cast<QLineEdit*>(found);
        return edit ? edit : found->findChild<QLineEdit*>();
    }
    bool focusedOn(const char* control) const
    {
        QWidget* found = driver.find(QString::fromLatin1(control));
        return QApplication::focusWidget() == found || found->isAncestorOf(QApplication::focusWidget());
    }
};

// Text that is no time or no date is refused in the program's words, wherever the entry is left
// for, and the value held stays as it was: never a neighbouring time or another month.
TEST_F(TypedTimesAndDatesTest, TextThatIsNoTimeOrDateIsRefusedAndNothingElseIsStored)
{
    const BadText cases[] = {
        { "?HORA", "25:99", "Hora no válida" },
        { "?HORA", "24:00", "Hora no válida" },
        { "?HORA", "12:60", "Hora no válida" },
        { "?HORA", "8h", "Hora no válida" },
        { "?FECHA", "15/13/2024", "Fecha no válida" },
        { "?FECHA", "31/04/2024", "Fecha no válida" },
        { "?FECHA", "29/02/2023", "Fecha no válida" },
        { "?FECHA", "0/1/2024", "Fecha no válida" },
        { "?FECHA", "mañana", "Fecha no válida" },
        { "?DESDE", "25:99", "Hora no válida" },
        { "?DESDE", "12:75", "Hora no válida" },
        { "?DESDE", "99", "Hora no válida" },
    };
    for (const BadText& bad : cases) {
        SCOPED_TRACE(std::string(bad.control) + " " + bad.text);
        const QString typed = QString::fromUtf8(bad.text);
        driver.type(QString::fromLatin1(bad.control), typed);
        // Left for another entry, as a user tabs or clicks away.
        driver.find(QStringLiteral("?CODIGO"))->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(driver.answer(QString::fromUtf8(bad.message), QStringLiteral("OK")));
        driver.settle();
        EXPECT_EQ(driver.messageBox(QString::fromUtf8(bad.message)), nullptr) << "said once";
        EXPECT_TRUE(focusedOn(bad.control));
        EXPECT_EQ(line(bad.control)->text(), typed);
        EXPECT_EQ(window->time, kNine);
        EXPECT_EQ(window->date, makeDate(2024, 3, 15));
        EXPECT_EQ(window->spun, kNine);

        // Left again untouched, it is refused again rather than kept as it stands.
        driver.find(QStringLiteral("?CODIGO"))->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(driver.answer(QString::fromUtf8(bad.message), QStringLiteral("OK")));
        driver.settle();
        EXPECT_EQ(driver.messageBox(QString::fromUtf8(bad.message)), nullptr);
        EXPECT_TRUE(focusedOn(bad.control));

        // Mended, it is taken.
        driver.type(QString::fromLatin1(bad.control), QStringLiteral(""));
        driver.accept(QString::fromLatin1(bad.control));
        EXPECT_EQ(driver.messageBox(QString::fromUtf8(bad.message)), nullptr);
        window->time = kNine;
        window->date = makeDate(2024, 3, 15);
        window->spun = kNine;
        window->display();
        driver.settle();
    }
}

TEST_F(TypedTimesAndDatesTest, GoodTimesAndDatesAreTakenAsTyped)
{
    driver.type(QStringLiteral("?HORA"), QStringLiteral("23:59"));
    driver.accept(QStringLiteral("?HORA"));
    driver.type(QStringLiteral("?FECHA"), QStringLiteral("29/02/2024"));
    driver.accept(QStringLiteral("?FECHA"));
    driver.type(QStringLiteral("?DESDE"), QStringLiteral("16:30"));
    driver.accept(QStringLiteral("?DESDE"));
    EXPECT_EQ(window->time, makeTime(23, 59));
    EXPECT_EQ(window->date, makeDate(2024, 2, 29));
    EXPECT_EQ(window->spun, makeTime(16, 30));
}

} // namespace
} // namespace nidora::framework::test
