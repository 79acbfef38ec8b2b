#include "AgendaTestSupport.h"

#include "practice/DatePicker.h"
#include "practice/SelectDate.h"

#include "framework/KeyCodes.h"
#include "framework/Window.h"

#include <QLabel>
#include <QMouseEvent>

namespace nidora::practice {
namespace {

class CalendarWindowTest : public test::AgendaTest {
public:
    // What the user does, for the tables of cases.
    void press(int code) { driver.pressKey(QStringLiteral("?FORLOOKSONLY"), code); }
    void click(const char* button) { driver.click(QString::fromLatin1(button)); }
    void closeFromTitleBar() { driver.close(QStringLiteral("Calendar")); }
    // A mouse button released over the middle of a grid cell.
    void clickCell(int cell)
    {
        QWidget* region = driver.find(QStringLiteral("?REGION1"));
        const QPoint corner = DatePicker::cellCorner(cell) + QPoint(6, 6);
        // The region's own place stands for (5, 27) in dialog units, 85 by 72 of them.
        const QPointF at((corner.x() - 5) * region->width() / 85.0 + 0.5,
            (corner.y() - 27) * region->height() / 72.0 + 0.5);
        QMouseEvent release(QEvent::MouseButtonRelease, at, region->mapToGlobal(at), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(region, &release);
        driver.settle();
    }

protected:
    void startCalendar(const QString& caption = {}, std::int32_t startDate = 0, std::uint8_t startAtToday = 1)
    {
        driver.start([=, this] {
            result = SelectDate(caption, 0, startDate, startAtToday);
            ended = true;
        });
    }
    std::int32_t answer()
    {
        EXPECT_TRUE(driver.runUntil([this] { return ended; }));
        return result;
    }
    QString label(const char* name)
    {
        auto* text = qobject_cast<QLabel*>(driver.find(QString::fromLatin1(name)));
        return text ? text->text() : QString();
    }
    std::int32_t result = -1;
    bool ended = false;
};

TEST_F(CalendarWindowTest, OpensOnTodayShowingItsMonthAndEnterTakesIt)
{
    startCalendar();
    ASSERT_NE(driver.window(QStringLiteral("Calendar")), nullptr);
    EXPECT_EQ(label("?WORKINGDATE"), QStringLiteral("February 1, 2010"));
    EXPECT_EQ(label("?MONTHTEXT_1_3"), QStringLiteral("   "));
    EXPECT_EQ(label("?MONTHTEXT_4_18"), QStringLiteral(" 1  2  3  4  5 "));
    EXPECT_EQ(label("?MONTHTEXT_19_20"), QStringLiteral(" 6"));
    EXPECT_EQ(label("?MONTHTEXT_85_87"), QStringLiteral("28 "));
    EXPECT_EQ(label("?STRING5"), QStringLiteral("Thr"));
    press(keys::Enter);
    EXPECT_EQ(answer(), test::kMonday);
}

TEST_F(CalendarWindowTest, EveryWayOfClosingAnswersItsDate)
{
    struct Way {
        const char* what;
        std::function<void(CalendarWindowTest&)> close;
        std::int32_t expected;
    };
    const Date monday = test::kMonday;
    const Way ways[] = {
        { "Esc after picking a day",
            [](auto& t) {
                t.press(keys::Right);
                t.press(keys::Escape);
            },
            noDate },
        { "Cancel", [](auto& t) { t.click("?EXITNODATE"); }, noDate },
        { "OK after Down",
            [](auto& t) {
                t.press(keys::Down);
                t.click("?OKBUTTON");
            },
            monday + 7 },
        { "the title bar after Page Down",
            [](auto& t) {
                t.press(keys::PageDown);
                t.closeFromTitleBar();
            },
            makeDate(2010, 3, 1) },
        { "Ctrl+Page Up, Home, Enter",
            [](auto& t) {
                t.press(keys::withCtrl(keys::PageUp));
                t.press(keys::Home);
                t.press(keys::Enter);
            },
            monday },
        { "the month buttons and Today",
            [](auto& t) {
                t.click("?MONTHPLUS");
                t.click("?MONTHPLUS");
                t.click("?MONTHMINUS");
                t.press(keys::Enter);
            },
            makeDate(2010, 3, 1) },
        { "two clicks on one day",
            [](auto& t) {
                t.clickCell(12);
                t.clickCell(12);
            },
            makeDate(2010, 2, 11) },
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        ended = false;
        startCalendar();
        ASSERT_NE(driver.window(QStringLiteral("Calendar")), nullptr);
        way.close(*this);
        EXPECT_EQ(answer(), way.expected);
        EXPECT_EQ(driver.window(QStringLiteral("Calendar")), nullptr);
    }
}

TEST_F(CalendarWindowTest, OneClickPicksADayAndAnEmptyCellNothing)
{
    startCalendar();
    clickCell(12);
    EXPECT_EQ(label("?WORKINGDATE"), QStringLiteral("February 11, 2010"));
    clickCell(1);
    clickCell(1);
    EXPECT_FALSE(ended);
    driver.click(QStringLiteral("?GOTODAY"));
    EXPECT_EQ(label("?WORKINGDATE"), QStringLiteral("February 1, 2010"));
    press(keys::Escape);
    EXPECT_EQ(answer(), noDate);
}

TEST_F(CalendarWindowTest, ACaptionReplacesTheTitleAndAStartDateIsTakenUnlessTodayIsAsked)
{
    startCalendar(QStringLiteral("Fecha de la consulta"), makeDate(2009, 12, 24), 0);
    EXPECT_NE(driver.window(QStringLiteral("Fecha de la consulta")), nullptr);
    EXPECT_EQ(label("?WORKINGDATE"), QStringLiteral("December 24, 2009"));
    press(keys::Right);
    press(keys::Home);
    press(keys::Enter);
    EXPECT_EQ(answer(), makeDate(2009, 12, 24));
}

} // namespace
} // namespace nidora::practice
