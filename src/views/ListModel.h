#pragma once

#include "views/ListColumns.h"
#include "views/PagingCursor.h"

#include <QAbstractTableModel>

#include <vector>

// The visible page of a list as a table for the list control: one row per visible row, the
// columns' texts, headings and group headings, and the row colours. The list control moves
// the view itself (keys, wheel, locator); the model only follows it.
namespace nidora::views {

class ListModel : public QAbstractTableModel {
public:
    enum Role {
        // The heading spanning this column, or an empty text.
        GroupHeadingRole = Qt::UserRole + 1,
        SelectedForegroundRole,
        SelectedBackgroundRole,
        // Whether the row is the highlighted one.
        HighlightedRole,
    };

    // Takes over the view's change handler.
    ListModel(PagingCursor& view, std::vector<ListColumn> columns, QObject* parent = nullptr);

    void setRowColouring(RowColouring colouring) { colouring_ = std::move(colouring); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    PagingCursor& view_;
    std::vector<ListColumn> columns_;
    RowColouring colouring_;
};

} // namespace nidora::views
