#include "framework/ControlTree.h"

#include "framework/WindowEvent.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeWidget>

#include <cstdlib>
#include <utility>

namespace nidora::framework {

// The tree only reports what the user asks of an entry: the rows below it are the window's to
// load or drop, so a key that would open or close every entry at once does nothing.
class TreeListControl::Tree final : public QTreeWidget {
public:
    explicit Tree(TreeListControl& owner)
        : owner_(owner)
    {
        setColumnCount(1);
        setHeaderHidden(true);
        // The heading row has no expander: it always shows the entries under it.
        setRootIsDecorated(false);
        setExpandsOnDoubleClick(false);
        setUniformRowHeights(true);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setTabKeyNavigation(false);
        header()->setStretchLastSection(true);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int row = owner_.currentRow();
        switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Right:
            if (row >= 0)
                owner_.post(treeEvent::Expand, row);
            event->accept();
            return;
        case Qt::Key_Minus:
        case Qt::Key_Left:
            if (row >= 0)
                owner_.post(treeEvent::Collapse, row);
            event->accept();
            return;
        case Qt::Key_Asterisk:
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // For the window (the navigator, the default button).
            event->ignore();
            return;
        default:
            QTreeWidget::keyPressEvent(event);
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            if (const QTreeWidgetItem* item = itemAt(event->position().toPoint()))
                owner_.post(treeEvent::DoubleClick, owner_.rowOf(item));
        event->accept();
    }
    void contextMenuEvent(QContextMenuEvent* event) override
    {
        owner_.post(treeEvent::ContextMenu, viewport()->mapTo(this, event->pos()));
        event->accept();
    }

private:
    TreeListControl& owner_;
};

TreeListControl::TreeListControl()
    : Control(ControlKind::List, new Tree(*this))
    , tree_(static_cast<Tree*>(widget()))
{
    QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_, [this] { post(event::NewSelection); });
    QObject::connect(tree_, &QTreeWidget::itemExpanded, tree_,
        [this](QTreeWidgetItem* item) { post(treeEvent::Expand, rowOf(item)); });
    QObject::connect(tree_, &QTreeWidget::itemCollapsed, tree_,
        [this](QTreeWidgetItem* item) { post(treeEvent::Collapse, rowOf(item)); });
}

void TreeListControl::setRows(const std::vector<TreeRow>& rows, int highlighted)
{
    const QSignalBlocker quiet(tree_);
    const int scrolled = tree_->verticalScrollBar()->value();
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    items_.clear();
    items_.reserve(rows.size());
    // The entry each row goes under: the nearest row before it that is less deep.
    std::vector<std::pair<int, QTreeWidgetItem*>> above;
    for (const TreeRow& row : rows) {
        const int depth = std::abs(row.level);
        while (!above.empty() && above.back().first >= depth)
            above.pop_back();
        auto* item = above.empty() ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(above.back().second);
        item->setText(0, row.text);
        item->setData(0, Qt::UserRole, int(items_.size()));
        if (row.level < 0)
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        items_.push_back(item);
        above.emplace_back(depth, item);
    }
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].level >= 0 && items_[row]->childCount() > 0)
            items_[row]->setExpanded(true);
    setCurrentRow(highlighted);
    tree_->setUpdatesEnabled(true);
    tree_->verticalScrollBar()->setValue(scrolled);
    if (QTreeWidgetItem* current = tree_->currentItem())
        tree_->scrollToItem(current);
}

int TreeListControl::currentRow() const
{
    return rowOf(tree_->currentItem());
}

void TreeListControl::setCurrentRow(int row)
{
    const QSignalBlocker quiet(tree_);
    tree_->setCurrentItem(row >= 0 && row < rowCount() ? items_[std::size_t(row)] : nullptr);
}

int TreeListControl::rowOf(const QTreeWidgetItem* item) const
{
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

} // namespace nidora::framework
