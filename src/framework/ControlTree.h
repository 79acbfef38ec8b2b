#pragma once

#include "framework/Control.h"

#include <QString>

#include <vector>

class QTreeWidgetItem;

namespace nidora::framework {

namespace treeEvent {
// The user opened or closed an entry (its expander, or the + and - keys); the value is the row.
// The tree shows it opened or closed at once, without the rows below it: the window loads or
// drops them and hands the tree its rows again.
constexpr int Expand = 0x2201;
constexpr int Collapse = 0x2202;
// A double click on a row, which the click before it made the highlighted one.
constexpr int DoubleClick = 0x2203;
// A right click; the value is the point in the tree's own coordinates.
constexpr int ContextMenu = 0x2204;
} // namespace treeEvent

// One row of a tree list, in display order: its text and its level, the absolute value of which
// is its depth (0 at the top). A negative level marks a closed entry that has entries below it;
// an entry is shown open when the rows after it are deeper.
struct TreeRow {
    QString text;
    int level = 0;
};

// A list that shows its rows as a tree with one column of text and no icons: the window keeps
// the rows (which of them are loaded is its business) and hands them over whole; the tree only
// shows them and reports what the user does. Moving the highlight raises a new-selection event.
class TreeListControl final : public Control {
public:
    TreeListControl();

    bool holdsData() const override { return true; }

    // Shows these rows with the highlight on one of them (none when out of range), keeping the
    // place the user had scrolled to.
    void setRows(const std::vector<TreeRow>& rows, int highlighted);
    int rowCount() const { return int(items_.size()); }
    // The highlighted row from 0, or -1 when none is.
    int currentRow() const;
    void setCurrentRow(int row);

private:
    class Tree;

    int rowOf(const QTreeWidgetItem* item) const;

    Tree* tree_;
    std::vector<QTreeWidgetItem*> items_;
};

} // namespace nidora::framework
