#include "framework/ControlList.h"

#include "framework/WindowEvent.h"

namespace nidora::framework {

ListControl::ListControl(const QStringList& headings)
    : Control(ControlKind::List, new QTreeWidget)
    , tree_(static_cast<QTreeWidget*>(widget()))
{
    tree_->setRootIsDecorated(false);
    tree_->setColumnCount(static_cast<int>(headings.size()));
    tree_->setHeaderLabels(headings);
    QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_, [this] { post(event::NewSelection); });
    QObject::connect(tree_, &QTreeWidget::itemActivated, tree_, [this] { post(event::Accepted); });
}

void ListControl::setRows(const std::vector<QStringList>& rows)
{
    const QSignalBlocker quiet(tree_);
    tree_->clear();
    for (const QStringList& columns : rows)
        tree_->addTopLevelItem(new QTreeWidgetItem(columns));
}

int ListControl::rowCount() const
{
    return tree_->topLevelItemCount();
}

QStringList ListControl::row(int index) const
{
    QStringList columns;
    if (const QTreeWidgetItem* item = tree_->topLevelItem(index))
        for (int column = 0; column < item->columnCount(); ++column)
            columns << item->text(column);
    return columns;
}

int ListControl::currentRow() const
{
    return tree_->indexOfTopLevelItem(tree_->currentItem());
}

void ListControl::setCurrentRow(int index)
{
    tree_->setCurrentItem(tree_->topLevelItem(index));
}

} // namespace nidora::framework
