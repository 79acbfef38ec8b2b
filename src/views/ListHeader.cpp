#include "views/ListHeader.h"

#include "views/ListModel.h"

#include <QPainter>

namespace nidora::views {

ListHeader::ListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent)
{
}

QString ListHeader::groupOf(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation(), ListModel::GroupHeadingRole).toString()
                   : QString();
}

bool ListHeader::hasGroups() const
{
    for (int section = 0; section < count(); ++section)
        if (!groupOf(section).isEmpty())
            return true;
    return false;
}

QSize ListHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    if (hasGroups())
        size.setHeight(size.height() * 2);
    return size;
}

QRect ListHeader::groupBand(int section, const QRect& rect) const
{
    const QString group = groupOf(section);
    int first = visualIndex(section);
    int last = first;
    while (first > 0 && groupOf(logicalIndex(first - 1)) == group)
        --first;
    while (last + 1 < count() && groupOf(logicalIndex(last + 1)) == group)
        ++last;
    const int left = sectionViewportPosition(logicalIndex(first));
    const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
    return QRect(left, rect.top(), right - left, rect.height() / 2);
}

void ListHeader::paintHeading(
    QPainter* painter, const QRect& rect, int logicalIndex, const QString& text) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.textAlignment = Qt::AlignCenter;
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    // The heading is centred over the part of the column in sight: a column that runs on past
    // the list's edge (a long notes column) still shows it.
    QRect inSight = rect.intersected(viewport()->rect());
    if (inSight.width() < fontMetrics().horizontalAdvance(text) + 8)
        inSight = rect;
    option.rect = inSight;
    option.rect = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    option.text = text;
    style()->drawControl(QStyle::CE_HeaderLabel, &option, painter, this);
}

void ListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const QString group = groupOf(logicalIndex);
    if (group.isEmpty()) {
        paintHeading(
            painter, rect, logicalIndex, model()->headerData(logicalIndex, orientation()).toString());
        return;
    }
    // Each column of the group paints its share of the band; together they show one heading.
    painter->save();
    painter->setClipRect(rect);
    paintHeading(painter, groupBand(logicalIndex, rect), logicalIndex, group);
    painter->restore();
    const int half = rect.height() / 2;
    paintHeading(painter, rect.adjusted(0, half, 0, 0), logicalIndex,
        model()->headerData(logicalIndex, orientation()).toString());
}

} // namespace nidora::views
