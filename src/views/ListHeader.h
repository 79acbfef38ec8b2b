#pragma once

#include <QHeaderView>

// The column headings of a list. Columns that share a group heading ("Cobertura Social" over
// the coverage name and its member number) have that heading drawn once across all of them,
// above their own headings; the other columns' headings take the whole height. Without group
// headings it is a plain header.
namespace nidora::views {

class ListHeader final : public QHeaderView {
public:
    explicit ListHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QString groupOf(int logicalIndex) const;
    bool hasGroups() const;
    // The band of the group over the whole run of neighbouring columns of that group.
    QRect groupBand(int section, const QRect& rect) const;
    void paintHeading(QPainter* painter, const QRect& rect, int logicalIndex, const QString& text) const;
};

} // namespace nidora::views
