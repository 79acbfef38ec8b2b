#pragma once

#include "core/Date.h"

#include <QPoint>
#include <QString>

#include <array>

// What the calendar date picker holds and does, without its dialog: the month grid of the
// working date, its day numbers as text, the highlight box, the moves of the keys and buttons
// and the clicks on the grid. Positions are in the dialog's units.
namespace nidora::practice {

class DatePicker {
public:
    static constexpr int kCells = 42; // 6 rows of 7, Sunday first
    static constexpr int kCellSize = 12;
    static constexpr std::array<int, 7> kColumnX { 5, 17, 29, 41, 53, 65, 77 };
    static constexpr std::array<int, 6> kRowY { 27, 39, 51, 63, 75, 87 };
    // The day numbers, three characters a cell (the number right-aligned in the first two),
    // for cells 1 to 37: no month reaches further.
    static constexpr int kMonthTextLength = 111;

    // Opens on `opening`, the date Home returns to.
    explicit DatePicker(Date opening);

    Date workingDate() const { return working_; }
    Date openingDate() const { return opening_; }
    int monthShown() const { return month_; }
    const QString& monthText() const { return monthText_; }
    // The characters `first` to `last` of the month text, counted from 1.
    QString monthTextSlice(int first, int last) const;
    // The date of a cell (1 to 42), 0 for an empty cell.
    Date cellDate(int cell) const;
    // The top left corner of the highlight box: the working date's cell.
    QPoint box() const { return box_; }
    // The first cell of a row (0 to 5) and column (0 to 6, 0 Sunday).
    static int cellAt(int row, int column) { return 7 * row + column + 1; }
    // The top left corner of a cell (1 to 42).
    static QPoint cellCorner(int cell);

    // The keys and buttons. A move that would leave the calendar's range of dates keeps the
    // working date. Every move forgets the last click on the grid: a click after it chooses
    // a day, never accepts.
    void nextDay() { moveTo(working_ + 1); }
    void previousDay() { moveTo(working_ - 1); }
    void nextWeek() { moveTo(working_ + 7); }
    void previousWeek() { moveTo(working_ - 7); }
    // The same day of the next month, running on past its end (31 January, then 3 March).
    void nextMonth();
    void previousMonth();
    void nextYear();
    void previousYear();
    void goHome() { moveTo(opening_); }
    void goTo(Date date) { moveTo(date); }

    // A mouse click released on the grid at a point. The second click at the same point
    // chooses the day the first one picked: true, the picker accepts. A click on an empty
    // cell, or off every cell, picks nothing, and a second one there does not accept.
    bool click(QPoint at);

private:
    void moveTo(Date date);
    void fill();

    Date opening_;
    Date working_;
    int month_ = 0;
    QString monthText_;
    std::array<Date, kCells> dates_ {};
    QPoint box_ { kColumnX[0], kRowY[0] };
    QPoint lastClick_ { 0, 0 }; // (0, 0): none counts
    int column_ = 0;
    int cell_ = 0;
};

} // namespace nidora::practice
