#include "views/ListRowDelegate.h"

#include "views/ListModel.h"

namespace nidora::views {

void ListRowDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QVariant text = index.data(ListModel::SelectedForegroundRole);
    const QVariant background = index.data(ListModel::SelectedBackgroundRole);
    // Every colour group, so the highlight keeps its colours when the list loses the focus.
    if (text.canConvert<QColor>())
        option->palette.setColor(QPalette::HighlightedText, text.value<QColor>());
    if (background.canConvert<QColor>())
        option->palette.setColor(QPalette::Highlight, background.value<QColor>());
}

} // namespace nidora::views
