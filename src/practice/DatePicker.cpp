#include "practice/DatePicker.h"

#include "core/TextClip.h"

#include <optional>

namespace nidora::practice {
namespace {

// Which of the bands a position falls in: the first position of each band is given, each band
// is a cell wide; the last band reaches two units further, to the grid's edge.
template <std::size_t N> std::optional<int> band(const std::array<int, N>& starts, int at, int lastWidth)
{
    for (std::size_t i = 0; i < N; ++i) {
        const int width = i + 1 == N ? lastWidth : DatePicker::kCellSize;
        if (at >= starts[i] && at < starts[i] + width)
            return int(i);
    }
    return std::nullopt;
}

} // namespace

QPoint DatePicker::cellCorner(int cell)
{
    return QPoint(kColumnX[std::size_t((cell - 1) % 7)], kRowY[std::size_t((cell - 1) / 7)]);
}

DatePicker::DatePicker(Date opening)
    : opening_(opening)
    , working_(opening)
{
    month_ = dateParts(working_).month;
    fill();
}

QString DatePicker::monthTextSlice(int first, int last) const
{
    return monthText_.mid(first - 1, last - first + 1);
}

Date DatePicker::cellDate(int cell) const
{
    return cell >= 1 && cell <= kCells ? dates_[std::size_t(cell - 1)] : noDate;
}

void DatePicker::nextMonth()
{
    const DateParts at = dateParts(working_);
    moveTo(makeDate(at.year, month_ + 1, at.day));
}

void DatePicker::previousMonth()
{
    const DateParts at = dateParts(working_);
    moveTo(month_ == 1 ? makeDate(at.year - 1, 12, at.day) : makeDate(at.year, month_ - 1, at.day));
}

void DatePicker::nextYear()
{
    const DateParts at = dateParts(working_);
    moveTo(makeDate(at.year + 1, month_, at.day));
}

void DatePicker::previousYear()
{
    const DateParts at = dateParts(working_);
    moveTo(makeDate(at.year - 1, month_, at.day));
}

void DatePicker::moveTo(Date date)
{
    lastClick_ = QPoint(0, 0);
    if (date < 1 || date > maxDate)
        return;
    working_ = date;
    month_ = dateParts(working_).month;
    fill();
}

bool DatePicker::click(QPoint at)
{
    if (at == lastClick_ && at != QPoint(0, 0))
        return true;
    lastClick_ = at;
    if (const auto column = band(kColumnX, at.x(), kCellSize + 1))
        column_ = *column + 1;
    if (const auto row = band(kRowY, at.y(), kCellSize); row && column_ > 0)
        cell_ = column_ + 7 * *row;
    const Date picked = cellDate(cell_);
    if (picked == noDate) {
        lastClick_ = QPoint(0, 0);
        return false;
    }
    working_ = picked;
    box_ = cellCorner(cell_);
    return false;
}

void DatePicker::fill()
{
    dates_.fill(noDate);
    const DateParts at = dateParts(working_);
    const Date first = makeDate(at.year, at.month, 1);
    const int days = daysInMonth(at.year, at.month);
    const int start = first % 7 + 1; // 1 when the month starts on a Sunday
    QString numbers;
    for (int cell = start; cell < start + days; ++cell) {
        // Each number stands right-aligned in three characters after the text so far without
        // its trailing blank: its last digit lands at character 3 × cell − 1.
        numbers = clipped(numbers) + QStringLiteral("%1").arg(cell - start + 1, 3);
        const Date date = first + cell - start;
        dates_[std::size_t(cell - 1)] = date;
        if (date == working_)
            box_ = cellCorner(cell);
    }
    while (numbers.startsWith(QLatin1Char(' ')))
        numbers.remove(0, 1);
    monthText_ = QString(3 * start - 2, QLatin1Char(' ')) + numbers;
    monthText_ = monthText_.leftJustified(kMonthTextLength, QLatin1Char(' '));
}

} // namespace nidora::practice
