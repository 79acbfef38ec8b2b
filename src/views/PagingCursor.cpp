#include "views/PagingCursor.h"

#include "core/RecordMessages.h"
#include "data/AccessBuffer.h"

#include <algorithm>

namespace nidora::views {
namespace {

using data::Direction;
using data::FieldValue;
using data::Position;

// Rows kept on either side of the visible page, in pages: enough that a page move in either
// direction reads nothing, few enough that memory does not grow with scrolling.
constexpr int kMarginPages = 1;
// Rows read at a time while counting totals.
constexpr int kCountBatch = 512;

// The position of the record itself in a key: just after the identity below its own, so the
// read starts with it even among records of equal key values.
Position positionAt(
    const data::FileDesc& file, const data::KeyDesc& key, const data::Record& record, std::int64_t id)
{
    return Position { data::keyComponents(file, key, record), id - 1 };
}

} // namespace

PagingCursor::PagingCursor(data::AccessObject& access, std::vector<SortOrder> orders, int pageRows)
    : access_(access)
    , orders_(std::move(orders))
    , pageRows_(std::max(pageRows, 1))
{
    selectOrder(0);
}

void PagingCursor::setPageRows(int rows)
{
    if (rows > pageRows_)
        long_.reset();
    pageRows_ = std::max(rows, 1);
    if (!rows_.empty()) {
        placeHighlight(highlight_);
        trim();
    }
    changed();
}

ViewRead PagingCursor::read(const Position& from, Direction direction, int wanted, std::vector<Row>& out)
{
    const std::size_t before = out.size();
    const ViewRead result = readRows(access_, sortOrder(), filter_, from, direction, wanted, out);
    if (rowRead_)
        for (std::size_t k = before; k < out.size(); ++k)
            rowRead_(*out[k].record);
    return result;
}

void PagingCursor::extendForward(int count)
{
    if (endLoaded_ || count <= 0)
        return;
    const Position from = rows_.empty()
        ? Position { rangeValues(), 0 }
        : access_.file()->positionOf(key(), *rows_.back().record, rows_.back().ref.id);
    std::vector<Row> found;
    const ViewRead result = read(from, Direction::Forward, count, found);
    for (Row& row : found)
        rows_.push_back(std::move(row));
    endLoaded_ = result.reachedEnd;
}

void PagingCursor::extendBackward(int count)
{
    if (startLoaded_ || count <= 0 || rows_.empty())
        return;
    const Position from = access_.file()->positionOf(key(), *rows_.front().record, rows_.front().ref.id);
    std::vector<Row> found;
    const ViewRead result = read(from, Direction::Backward, count, found);
    for (Row& row : found)
        rows_.push_front(std::move(row));
    top_ += int(found.size());
    highlight_ += int(found.size());
    startLoaded_ = result.reachedEnd;
}

void PagingCursor::loadFrom(const Position& from, bool fromStart)
{
    rows_.clear();
    top_ = highlight_ = 0;
    startLoaded_ = fromStart;
    endLoaded_ = false;
    std::vector<Row> found;
    endLoaded_ = read(from, Direction::Forward, pageRows_ * (1 + kMarginPages), found).reachedEnd;
    for (Row& row : found)
        rows_.push_back(std::move(row));
    if (rows_.empty()) {
        // Nothing at or after the position: the highlight goes to the last row.
        if (!fromStart)
            loadLast();
        else
            startLoaded_ = true;
        return;
    }
    extendBackward(pageRows_ * kMarginPages);
    placeHighlight(highlight_);
}

void PagingCursor::loadLast()
{
    rows_.clear();
    top_ = highlight_ = 0;
    startLoaded_ = false;
    endLoaded_ = true;
    std::vector<Row> found;
    startLoaded_
        = read(Position { rangeValues(), 0 }, Direction::Backward, pageRows_ * (1 + kMarginPages), found)
              .reachedEnd;
    for (Row& row : found)
        rows_.push_front(std::move(row));
    placeHighlight(int(rows_.size()) - 1);
}

// Highlights the row and shows it: at the top of the page unless that would leave the page
// short at the end of the list.
void PagingCursor::placeHighlight(int index)
{
    const int size = int(rows_.size());
    highlight_ = std::clamp(index, 0, std::max(size - 1, 0));
    if (highlight_ + pageRows_ > size)
        extendForward(highlight_ + pageRows_ - size);
    const int lastTop = std::max(int(rows_.size()) - pageRows_, 0);
    top_ = std::min(highlight_, lastTop);
}

int PagingCursor::visibleCount() const
{
    return std::min(pageRows_, int(rows_.size()) - top_);
}

data::AccessResult PagingCursor::open()
{
    locator_.clear();
    long_.reset();
    firstRow_.reset();
    lastRow_.reset();
    if (!access_.file())
        return access_.report(core::message::FileNotOpen, {}, true);
    loadFrom(Position { rangeValues(), 0 }, true);
    trim();
    recount();
    changed();
    return data::AccessResult::Ok;
}

void PagingCursor::move(ListMove how)
{
    locator_.clear();
    switch (how) {
    case ListMove::First:
        loadFrom(Position { rangeValues(), 0 }, true);
        break;
    case ListMove::Last:
        loadLast();
        break;
    case ListMove::RowDown:
    case ListMove::PageDown: {
        const int step = how == ListMove::RowDown ? 1 : pageRows_;
        extendForward(highlight_ + step + pageRows_ - int(rows_.size()) + 1);
        const int size = int(rows_.size());
        if (size == 0)
            break;
        highlight_ = std::min(highlight_ + step, size - 1);
        if (how == ListMove::PageDown)
            top_ = std::min(top_ + pageRows_, std::max(size - pageRows_, 0));
        if (highlight_ >= top_ + pageRows_)
            top_ = highlight_ - pageRows_ + 1;
        break;
    }
    case ListMove::RowUp:
    case ListMove::PageUp: {
        const int step = how == ListMove::RowUp ? 1 : pageRows_;
        if (highlight_ - step < 0 || top_ - step < 0)
            extendBackward(step + pageRows_);
        if (rows_.empty())
            break;
        highlight_ = std::max(highlight_ - step, 0);
        if (how == ListMove::PageUp)
            top_ = std::max(top_ - pageRows_, 0);
        if (highlight_ < top_)
            top_ = highlight_;
        break;
    }
    }
    trim();
    changed();
}

void PagingCursor::highlightVisible(int index)
{
    if (index < 0 || index >= visibleCount())
        return;
    locator_.clear();
    highlight_ = top_ + index;
    changed();
}

bool PagingCursor::type(QChar character)
{
    const std::optional<FieldValue> value = locator_.type(character);
    if (!value)
        return false;
    locate(*value);
    return true;
}

bool PagingCursor::backspace()
{
    const std::optional<FieldValue> value = locator_.backspace();
    if (!value)
        return false;
    locate(*value);
    return true;
}

void PagingCursor::locate(const FieldValue& value)
{
    std::vector<FieldValue> values = rangeValues();
    values.push_back(value);
    loadFrom(Position { values, 0 }, false);
    trim();
    changed();
}

void PagingCursor::switchOrder(int order)
{
    if (order < 0 || order >= orderCount())
        return;
    std::unique_ptr<data::Record> kept;
    std::int64_t keptId = 0;
    if (const Row* row = highlighted()) {
        kept = data::cloneRecord(access_.desc(), *row->record);
        keptId = row->ref.id;
    }
    selectOrder(order);
    if (!access_.file())
        return;
    if (kept)
        refreshOn(*kept, keptId);
    else
        open();
}

void PagingCursor::selectOrder(int order)
{
    order_ = order;
    const SortOrder& current = sortOrder();
    const std::size_t locatorComponent = rangeValues().size();
    locator_.reset(current.locator,
        locatorComponent < current.key->components.size()
            ? &access_.desc().fields[std::size_t(current.key->components[locatorComponent])]
            : nullptr);
}

void PagingCursor::refresh()
{
    const Row* row = highlighted();
    if (!row) {
        open();
        return;
    }
    const std::unique_ptr<data::Record> kept = data::cloneRecord(access_.desc(), *row->record);
    refreshOn(*kept, row->ref.id);
}

void PagingCursor::refreshOn(const data::Record& record, std::int64_t id)
{
    locator_.clear();
    firstRow_.reset();
    lastRow_.reset();
    loadFrom(positionAt(access_.desc(), key(), record, id), false);
    trim();
    recount();
    changed();
}

// Brings the rows held to their shape after a read or a move: a short list whole, a long one
// its page and a margin on either side.
void PagingCursor::trim()
{
    holdWholeWhenShort();
    if (holdsWhole() && int(rows_.size()) <= wholeRows())
        return;
    const int keepBefore = pageRows_ * kMarginPages;
    const int drop = top_ - keepBefore;
    if (drop > 0) {
        rows_.erase(rows_.begin(), rows_.begin() + drop);
        top_ -= drop;
        highlight_ -= drop;
        startLoaded_ = false;
    }
    const int keepUntil = top_ + pageRows_ * (1 + kMarginPages);
    if (int(rows_.size()) > keepUntil) {
        rows_.erase(rows_.begin() + keepUntil, rows_.end());
        endLoaded_ = false;
    }
}

void PagingCursor::recount()
{
    if (!totals_)
        return;
    totals_->reset();
    counted_ = 0;
    Position from { rangeValues(), 0 };
    for (bool reachedEnd = false; !reachedEnd;) {
        std::vector<Row> found;
        // Counted rows are never shown: the row reader is not told of them.
        const ViewRead result
            = readRows(access_, sortOrder(), filter_, from, Direction::Forward, kCountBatch, found);
        reachedEnd = result.reachedEnd;
        if (!result.ok || found.empty())
            break;
        for (const Row& row : found)
            totals_->add(*row.record);
        counted_ += std::int64_t(found.size());
        from = access_.file()->positionOf(key(), *found.back().record, found.back().ref.id);
    }
}

int PagingCursor::wholeRows() const
{
    return pageRows_ * (1 + 2 * kMarginPages);
}

void PagingCursor::holdWholeWhenShort()
{
    // A list whose file has closed (its window going) reads nothing more.
    if (rows_.empty() || holdsWhole() || !access_.file())
        return;
    std::vector<FieldValue> range = rangeValues();
    if (long_ && long_->first == order_ && long_->second == range)
        return;
    // Rows held from either end only need the rest read after (or before) them.
    if (startLoaded_ || endLoaded_) {
        const int missing = wholeRows() + 1 - int(rows_.size());
        if (startLoaded_)
            extendForward(missing);
        else
            extendBackward(missing);
        if (!holdsWhole() || int(rows_.size()) > wholeRows())
            long_.emplace(order_, std::move(range));
        return;
    }
    std::vector<Row> found;
    const ViewRead result = read(Position { range, 0 }, Direction::Forward, wholeRows() + 1, found);
    if (!result.ok)
        return;
    if (!result.reachedEnd || int(found.size()) > wholeRows()) {
        long_.emplace(order_, std::move(range));
        return;
    }
    const std::int64_t highlighted = rows_[std::size_t(highlight_)].ref.id;
    const std::int64_t first = rows_[std::size_t(top_)].ref.id;
    const auto indexOf = [&found](std::int64_t id, int otherwise) {
        for (std::size_t k = 0; k < found.size(); ++k)
            if (found[k].ref.id == id)
                return int(k);
        return otherwise;
    };
    const int newHighlight = indexOf(highlighted, 0);
    const int newTop = indexOf(first, newHighlight);
    rows_.clear();
    for (Row& row : found)
        rows_.push_back(std::move(row));
    startLoaded_ = endLoaded_ = true;
    const int size = int(rows_.size());
    highlight_ = std::clamp(newHighlight, 0, std::max(size - 1, 0));
    top_ = std::clamp(newTop, std::max(highlight_ - pageRows_ + 1, 0), highlight_);
    top_ = std::max(std::min(top_, size - pageRows_), 0);
}

KeyPoint PagingCursor::pointOf(const Row& row) const
{
    std::vector<FieldValue> values = data::keyComponents(access_.desc(), key(), *row.record);
    values.erase(
        values.begin(), values.begin() + std::ptrdiff_t(std::min(rangeValues().size(), values.size())));
    return KeyPoint { std::move(values), row.ref.id };
}

void PagingCursor::readEnds()
{
    const auto end = [this](Direction direction) -> std::optional<KeyPoint> {
        std::vector<Row> found;
        // Never shown: the row reader is not told of them.
        readRows(access_, sortOrder(), filter_, Position { rangeValues(), 0 }, direction, 1, found);
        if (found.empty())
            return std::nullopt;
        // Read from its end: the first row read is the list's first or last.
        return pointOf(found.front());
    };
    if (!access_.file())
        return;
    if (startLoaded_)
        firstRow_ = pointOf(rows_.front());
    else if (!firstRow_)
        firstRow_ = end(Direction::Forward);
    if (endLoaded_)
        lastRow_ = pointOf(rows_.back());
    else if (!lastRow_)
        lastRow_ = end(Direction::Backward);
}

ListScrollBar PagingCursor::estimateScrollBar()
{
    readEnds();
    const int size = int(rows_.size());
    const auto fraction = [this](const Row& row) {
        return firstRow_ && lastRow_ ? keyFraction(*firstRow_, *lastRow_, pointOf(row)) : 0.5;
    };
    const double front = startLoaded_ ? 0.0 : fraction(rows_.front());
    const double back = endLoaded_ ? 1.0 : fraction(rows_.back());
    // The rows held and the share of the key they span tell roughly how many rows the list has.
    const double rows = std::max(back > front ? (size - 1) / (back - front) : 10.0 * size, size + 1.0);
    ListScrollBar bar;
    bar.shown = true;
    bar.pageStep = std::clamp(int(std::lround(kScrollScale * pageRows_ / rows)), 1, kScrollScale / 2);
    bar.maximum = kScrollScale - bar.pageStep;
    if (startLoaded_ && top_ == 0)
        bar.value = 0;
    else if (endLoaded_ && top_ + visibleCount() >= size)
        bar.value = bar.maximum;
    else
        bar.value = std::clamp(
            int(std::lround(fraction(rows_[std::size_t(top_)]) * bar.maximum)), 1, bar.maximum - 1);
    return bar;
}

void PagingCursor::scrollTo(int value)
{
    if (!scrollBar_.shown || rows_.empty())
        return;
    locator_.clear();
    if (holdsWhole()) {
        const int size = int(rows_.size());
        top_ = std::clamp(value, 0, std::max(size - pageRows_, 0));
        highlight_ = std::clamp(highlight_, top_, std::min(top_ + pageRows_, size) - 1);
    } else if (value <= 0) {
        loadFrom(Position { rangeValues(), 0 }, true);
    } else if (value >= scrollBar_.maximum) {
        loadLast();
    } else {
        readEnds();
        if (!firstRow_ || !lastRow_)
            return;
        const KeyPoint at = keyAtFraction(*firstRow_, *lastRow_, double(value) / scrollBar_.maximum);
        std::vector<FieldValue> values = rangeValues();
        values.insert(values.end(), at.values.begin(), at.values.end());
        loadFrom(Position { std::move(values), at.id }, false);
    }
    trim();
    changed();
}

void PagingCursor::scrollRows(int rows)
{
    if (rows_.empty() || rows == 0)
        return;
    locator_.clear();
    if (rows > 0) {
        extendForward(top_ + rows + pageRows_ - int(rows_.size()));
        top_ = std::min(top_ + rows, std::max(int(rows_.size()) - pageRows_, 0));
    } else {
        if (top_ + rows < 0)
            extendBackward(-rows - top_);
        top_ = std::max(top_ + rows, 0);
    }
    highlight_ = std::clamp(highlight_, top_, std::min(top_ + pageRows_, int(rows_.size())) - 1);
    trim();
    changed();
}

void PagingCursor::changed()
{
    if (rows_.empty())
        scrollBar_ = {};
    else if (holdsWhole())
        scrollBar_ = int(rows_.size()) > pageRows_
            ? ListScrollBar { true, int(rows_.size()) - pageRows_, pageRows_, top_ }
            : ListScrollBar {};
    else
        scrollBar_ = estimateScrollBar();
    if (changed_)
        changed_();
}

} // namespace nidora::views
