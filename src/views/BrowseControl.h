#pragma once

#include "framework/Control.h"
#include "views/ListModel.h"
#include "views/PagingCursor.h"

#include <memory>
#include <vector>

class QTableView;

// The list control of a list panel: shows the visible page of a PagingCursor through a ListModel
// and turns what the user does on it (keys, wheel, clicks, typed characters) into events of
// the window's loop, so every read of the file runs on the list's own logical thread. The
// list's panel hands those events back to take().
namespace nidora::views {

namespace listEvent {
// The value is a ListInput.
constexpr int Input = 0x2101;
// A right click; the value is the point in the list's own coordinates.
constexpr int ContextMenu = 0x2102;
// An entry of the right-click menu was chosen; the value is the list panel's action.
constexpr int MenuChoice = 0x2103;
// A double click on a row. Not an accepted event: a form's pass over its data controls
// accepts its lists again, and that must not act as a double click would.
constexpr int DoubleClick = 0x2104;
// The list's file's keys were rebuilt: its rows are read again.
constexpr int ReadAgain = 0x2105;
} // namespace listEvent

struct ListInput {
    enum class What { Move, Click, Character, Backspace, ScrollTo, ScrollRows };
    What what = What::Move;
    ListMove move = ListMove::RowDown;
    // Click: the visible row; ScrollTo: the scroll bar's value; ScrollRows: the rows (down
    // when positive).
    int row = 0;
    QChar character {};
};

class BrowseControl final : public framework::Control {
public:
    BrowseControl(data::AccessObject& access, std::vector<SortOrder> orders, std::vector<ListColumn> columns);
    ~BrowseControl() override;

    bool holdsData() const override { return true; }

    PagingCursor& view() { return view_; }
    const PagingCursor& view() const { return view_; }
    ListModel& model() { return *model_; }

    // Row height in dialog units; 0 keeps the style's own.
    void setRowHeight(int dialogUnits);
    // Does what an Input event asks; true when the highlight moved to another row.
    bool take(const ListInput& input);
    // Shows the view's highlight; run after anything moved the view.
    void showHighlight();

protected:
    void attached() override;

private:
    class Table;

    PagingCursor view_;
    std::vector<int> widths_; // of the columns, in dialog units
    std::vector<QString> widest_; // the columns' widest texts
    std::unique_ptr<ListModel> model_;
    Table* table_;
};

} // namespace nidora::views

Q_DECLARE_METATYPE(nidora::views::ListInput)
