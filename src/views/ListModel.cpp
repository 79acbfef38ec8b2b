#include "views/ListModel.h"

#include "framework/Colour.h"

namespace nidora::views {

ListModel::ListModel(PagingCursor& view, std::vector<ListColumn> columns, QObject* parent)
    : QAbstractTableModel(parent)
    , view_(view)
    , columns_(std::move(columns))
{
    // The page is re-read as a whole after every move, so the table is reset as a whole.
    view_.setChangeHandler([this] {
        beginResetModel();
        endResetModel();
    });
}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : view_.visibleCount();
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= view_.visibleCount() || index.column() >= columnCount())
        return {};
    const data::Record& record = *view_.visibleRow(index.row()).record;
    const ListColumn& column = columns_[std::size_t(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return column.text ? column.text(record) : QString();
    case Qt::DecorationRole:
        return column.icon ? QVariant(column.icon(record)) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment | Qt::AlignVCenter);
    case HighlightedRole:
        return index.row() == view_.highlightedIndex();
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
    case SelectedForegroundRole:
    case SelectedBackgroundRole: {
        if (!colouring_)
            return {};
        const RowColours colours = colouring_(record);
        const std::uint32_t value = role == Qt::ForegroundRole ? colours.text
            : role == Qt::BackgroundRole                       ? colours.background
            : role == SelectedForegroundRole                   ? colours.selectedText
                                                               : colours.selectedBackground;
        return colour::toQColor(value);
    }
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const ListColumn& column = columns_[std::size_t(section)];
    if (role == Qt::DisplayRole)
        return column.heading;
    if (role == GroupHeadingRole)
        return column.group;
    return {};
}

} // namespace nidora::views
