#include "practice/DatePicker.h"

#include <gtest/gtest.h>

namespace nidora::practice {
namespace {

Date day(int year, int month, int dayOfMonth)
{
    return makeDate(year, month, dayOfMonth);
}

// The middle of a cell, where a click on it falls.
QPoint inCell(int cell)
{
    return DatePicker::cellCorner(cell) + QPoint(6, 6);
}

TEST(DatePicker, February2010StartsOnAMondayAndFillsCellsTwoToTwentyNine)
{
    const DatePicker picker(day(2010, 2, 10));
    EXPECT_EQ(picker.monthShown(), 2);
    for (int cell = 1; cell <= DatePicker::kCells; ++cell) {
        const Date expected = cell >= 2 && cell <= 29 ? day(2010, 2, cell - 1) : noDate;
        EXPECT_EQ(picker.cellDate(cell), expected) << "cell " << cell;
    }
    // The last digit of cell c stands at character 3c - 1.
    EXPECT_EQ(picker.monthText().left(9), QStringLiteral("    1  2 "));
    EXPECT_EQ(picker.monthTextSlice(3 * 29 - 2, 3 * 29 - 1), QStringLiteral("28"));
    EXPECT_EQ(picker.monthText().size(), DatePicker::kMonthTextLength);
    EXPECT_EQ(picker.monthText().mid(3 * 29).trimmed(), QString());
    EXPECT_EQ(picker.box(), DatePicker::cellCorner(11)); // the 10th, a Wednesday
}

TEST(DatePicker, MonthsStartingOnSundayAndOnSaturdayUseTheFirstAndTheLastCellShown)
{
    const DatePicker august(day(2010, 8, 1)); // a Sunday
    EXPECT_EQ(august.cellDate(1), day(2010, 8, 1));
    EXPECT_TRUE(august.monthText().startsWith(QStringLiteral(" 1 ")));
    const DatePicker may(day(2010, 5, 1)); // a Saturday, 31 days
    EXPECT_EQ(may.cellDate(7), day(2010, 5, 1));
    EXPECT_EQ(may.cellDate(37), day(2010, 5, 31));
    EXPECT_EQ(may.monthTextSlice(109, 110), QStringLiteral("31"));
}

TEST(DatePicker, MovesRunOnPastTheEndsOfMonthsAndYears)
{
    struct Move {
        const char* what;
        void (DatePicker::*move)();
        Date from;
        Date to;
    };
    const Move moves[] = {
        { "Page Down from 31 January", &DatePicker::nextMonth, day(2010, 1, 31), day(2010, 3, 3) },
        { "Page Up from 31 March", &DatePicker::previousMonth, day(2010, 3, 31), day(2010, 3, 3) },
        { "Page Up from 31 March of a leap year", &DatePicker::previousMonth, day(2012, 3, 31),
            day(2012, 3, 2) },
        { "Page Up from January", &DatePicker::previousMonth, day(2010, 1, 15), day(2009, 12, 15) },
        { "Page Down from December", &DatePicker::nextMonth, day(2010, 12, 15), day(2011, 1, 15) },
        { "Ctrl+Page Up from 29 February", &DatePicker::previousYear, day(2012, 2, 29), day(2011, 3, 1) },
        { "Ctrl+Page Down", &DatePicker::nextYear, day(2010, 6, 5), day(2011, 6, 5) },
        { "Right on the last day", &DatePicker::nextDay, day(2010, 2, 28), day(2010, 3, 1) },
        { "Left on the first day", &DatePicker::previousDay, day(2010, 3, 1), day(2010, 2, 28) },
        { "Down", &DatePicker::nextWeek, day(2010, 2, 25), day(2010, 3, 4) },
        { "Up", &DatePicker::previousWeek, day(2010, 2, 10), day(2010, 2, 3) },
    };
    for (const Move& each : moves) {
        SCOPED_TRACE(each.what);
        DatePicker picker(each.from);
        (picker.*each.move)();
        EXPECT_EQ(picker.workingDate(), each.to);
        EXPECT_EQ(picker.monthShown(), dateParts(each.to).month);
        // The grid and the box follow the new date.
        const DatePicker fresh(each.to);
        EXPECT_EQ(picker.monthText(), fresh.monthText());
        EXPECT_EQ(picker.box(), fresh.box());
    }
}

TEST(DatePicker, HomeGoesBackToTheOpeningDateAndNoMoveLeavesTheCalendar)
{
    DatePicker picker(day(2010, 2, 10));
    picker.nextYear();
    picker.nextDay();
    picker.goHome();
    EXPECT_EQ(picker.workingDate(), day(2010, 2, 10));
    DatePicker last(maxDate);
    last.nextDay();
    last.nextMonth();
    EXPECT_EQ(last.workingDate(), maxDate);
    DatePicker first(1);
    first.previousWeek();
    EXPECT_EQ(first.workingDate(), 1);
}

TEST(DatePicker, TheSecondClickOnTheSameSpotChoosesTheDayTheFirstPicked)
{
    DatePicker picker(day(2010, 2, 10));
    EXPECT_FALSE(picker.click(inCell(19))); // Thursday 18 February
    EXPECT_EQ(picker.workingDate(), day(2010, 2, 18));
    EXPECT_EQ(picker.box(), DatePicker::cellCorner(19));
    EXPECT_FALSE(picker.click(inCell(20)));
    EXPECT_EQ(picker.workingDate(), day(2010, 2, 19));
    EXPECT_TRUE(picker.click(inCell(20)));
    EXPECT_EQ(picker.workingDate(), day(2010, 2, 19));
}

TEST(DatePicker, ClicksOnAnEmptyCellOrOffTheCellsNeverChooseOrAccept)
{
    DatePicker picker(day(2010, 2, 10));
    EXPECT_FALSE(picker.click(inCell(1)));
    EXPECT_FALSE(picker.click(inCell(1)));
    EXPECT_EQ(picker.workingDate(), day(2010, 2, 10));
    // Before any click fell on a column, a click beside the grid picks nothing.
    DatePicker untouched(day(2010, 2, 10));
    EXPECT_FALSE(untouched.click(QPoint(2, 45)));
    EXPECT_FALSE(untouched.click(QPoint(2, 45)));
    EXPECT_EQ(untouched.workingDate(), day(2010, 2, 10));
}

TEST(DatePicker, AKeyOrButtonMoveForgetsTheLastClick)
{
    DatePicker picker(day(2010, 2, 10));
    EXPECT_FALSE(picker.click(inCell(19))); // 18 February
    picker.nextMonth(); // 18 March
    EXPECT_FALSE(picker.click(inCell(19))); // the same spot picks 18 March again, it does not accept
    EXPECT_EQ(picker.workingDate(), day(2010, 3, 18));
    EXPECT_TRUE(picker.click(inCell(19)));
}

} // namespace
} // namespace nidora::practice
