#pragma once

#include <QStyledItemDelegate>

// Paints a list's rows in their own colours: a highlighted row in the selected text and
// background colours the model gives for it (girls' rows purple, boys' blue), where the style
// would otherwise use its one highlight colour for every row.
namespace nidora::views {

class ListRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace nidora::views
