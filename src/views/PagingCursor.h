#pragma once

#include "data/AccessObject.h"
#include "views/KeyFraction.h"
#include "views/ListLocator.h"
#include "views/SortOrder.h"
#include "views/ViewRows.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A paging cursor over one key of a file: the rows a list shows, read page by page in the order
// of the current sort order's key, held to its range and filter. A window of rows around the
// visible page is kept, never the file, so a list over a million records opens as quickly as one
// over a hundred. Moves, locators, sort-order switches and refreshes reposition that window; the
// list control only reads the visible page and the highlight.
//
//   PagingCursor cursor(data.access(FileId::PACIENTES),
//       { { &byName, LocatorKind::Incremental, QStringLiteral("Indice x Nombre") } });
//   cursor.open();
//   cursor.type(u'g'); // the first name at or after "G"
//   cursor.move(ListMove::PageDown);
//   const PagingCursor::Row* row = cursor.highlighted();
namespace nidora::views {

enum class ListMove { RowDown, RowUp, PageDown, PageUp, First, Last };

// The list's vertical scroll bar. A list short enough to be held whole (a few pages) places
// its thumb by row; a longer one by an estimate from the key of its top row, on a scale of
// kScrollScale.
struct ListScrollBar {
    bool shown = false; // false: every row of the list is on the page
    int maximum = 0;
    int pageStep = 1;
    int value = 0;

    bool operator==(const ListScrollBar&) const = default;
};

// Counted over every row of the list (range and filter applied) each time it refreshes;
// only lists that show totals set one, since it reads all their rows.
class ListTotals {
public:
    virtual ~ListTotals() = default;
    virtual void reset() = 0;
    virtual void add(const data::Record& record) = 0;
};

class PagingCursor {
public:
    using Row = ViewRow;

    static constexpr int kDefaultPageRows = 20;
    static constexpr int kScrollScale = 10000;

    // The file must be open through `access` before the list reads it.
    PagingCursor(data::AccessObject& access, std::vector<SortOrder> orders, int pageRows = kDefaultPageRows);

    data::AccessObject& access() { return access_; }
    void setFilter(RecordFilter filter) { filter_ = std::move(filter); }
    void setTotals(ListTotals* totals) { totals_ = totals; }
    // Told after every change of the visible page or the highlight.
    void setChangeHandler(std::function<void()> changed) { changed_ = std::move(changed); }
    // Told of every row read for the list, on the list's own thread, before the list shows it:
    // a list whose columns show fields of a related record reads that record here, since the
    // columns themselves are asked for their texts while the list paints.
    void setRowReader(std::function<void(const data::Record&)> reader) { rowRead_ = std::move(reader); }
    // Keeps the highlighted row; takes effect at once.
    void setPageRows(int rows);

    // Reads the first page of the current order (and the totals). Failed when the file cannot
    // be read (message 43); the list is then empty.
    data::AccessResult open();

    void move(ListMove move);
    // A click on a visible row.
    void highlightVisible(int index);

    // A character typed on the list, for the current order's locator; false when it does not
    // count for it (the list does not move).
    bool type(QChar character);
    bool backspace();
    const QString& locatorText() const { return locator_.text(); }

    int orderCount() const { return int(orders_.size()); }
    const std::vector<SortOrder>& sortOrders() const { return orders_; }
    int order() const { return order_; }
    const SortOrder& sortOrder() const { return orders_[std::size_t(order_)]; }
    // Reorders the list by another tab's key, staying on the highlighted record when that key
    // holds it.
    void switchOrder(int order);

    // Reads the file again on the highlighted record, or on the next one when it is gone.
    void refresh();
    // Reads the file again with the highlight on this record (the one a form just wrote).
    void refreshOn(const data::Record& record, std::int64_t id);

    // ---- what the window shows ------------------------------------------------------------
    bool empty() const { return rows_.empty(); }
    int visibleCount() const;
    const Row& visibleRow(int index) const { return rows_[std::size_t(top_ + index)]; }
    // The highlighted row's index on the visible page, -1 when the list is empty.
    int highlightedIndex() const { return rows_.empty() ? -1 : highlight_ - top_; }
    const Row* highlighted() const { return rows_.empty() ? nullptr : &rows_[std::size_t(highlight_)]; }
    const ListScrollBar& scrollBar() const { return scrollBar_; }
    // The scroll bar's thumb taken to a value of its range: the page moves there, and the
    // highlight with it when it would leave the page.
    void scrollTo(int value);
    // The page moved by so many rows (down when positive), as the scroll bar's arrows and
    // its trough move it.
    void scrollRows(int rows);
    // Whether rows lie beyond the visible page.
    bool rowsBefore() const { return top_ > 0 || !startLoaded_; }
    bool rowsAfter() const { return top_ + visibleCount() < int(rows_.size()) || !endLoaded_; }
    // Rows counted by the last refresh with totals; -1 without totals.
    std::int64_t countedRows() const { return counted_; }
    // Rows held in memory now: never more than a few pages.
    int loadedRows() const { return int(rows_.size()); }

private:
    void selectOrder(int order);
    const data::KeyDesc& key() const { return *sortOrder().key; }
    std::vector<data::FieldValue> rangeValues() const { return views::rangeValues(sortOrder()); }
    ViewRead read(const data::Position& from, data::Direction direction, int wanted, std::vector<Row>& out);
    void extendForward(int rows);
    void extendBackward(int rows);
    void loadFrom(const data::Position& from, bool fromStart);
    void loadLast();
    void locate(const data::FieldValue& value);
    void placeHighlight(int index);
    void trim();
    void recount();
    void changed();
    // Rows of a list held whole: as many as a long list keeps around its page.
    int wholeRows() const;
    bool holdsWhole() const { return startLoaded_ && endLoaded_; }
    // A list that may be short is read whole from its start, keeping the highlight.
    void holdWholeWhenShort();
    KeyPoint pointOf(const Row& row) const;
    void readEnds();
    ListScrollBar estimateScrollBar();

    data::AccessObject& access_;
    std::vector<SortOrder> orders_;
    int order_ = 0;
    int pageRows_;
    RecordFilter filter_;
    ListTotals* totals_ = nullptr;
    std::function<void()> changed_;
    std::function<void(const data::Record&)> rowRead_;
    ListLocator locator_;

    std::deque<Row> rows_;
    bool startLoaded_ = true; // rows_ begins with the list's first row
    bool endLoaded_ = true; // rows_ ends with the list's last row
    int top_ = 0; // index in rows_ of the first visible row
    int highlight_ = 0; // index in rows_ of the highlighted row
    std::int64_t counted_ = -1;

    // The range and order of a list found longer than wholeRows(), so that it is not read
    // whole again until they change.
    std::optional<std::pair<int, std::vector<data::FieldValue>>> long_;
    // The first and last rows of a long list, read again when the list is.
    std::optional<KeyPoint> firstRow_, lastRow_;
    ListScrollBar scrollBar_;
};

} // namespace nidora::views
