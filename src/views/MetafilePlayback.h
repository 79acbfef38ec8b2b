#pragma once

#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class QPainter;

// A page's metafile read once into drawing steps in page units (thousandths of an inch from the
// page's top left), so that showing a page again, at another zoom or as a thumbnail, does not
// read its records again. The walk stops at a record whose size is impossible (below three
// words, or running past the end of the file), so damaged bytes draw what came before.
namespace nidora::views {

struct PagePlayback {
    struct Step {
        enum Kind { Text, Line, Box, Ellipse, Shape, Outline, Picture };
        Kind kind = Text;
        int pen = -1;
        int brush = -1;
        int font = -1;
        QColor color {};
        QRectF box {};
        QPolygonF points {};
        QPointF at {};
        QString text {};
        int picture = -1;
        Qt::FillRule fill = Qt::OddEvenFill;
    };

    // Reads the records, each picture reference from `pictures` (the page's list); bytes that
    // are no placeable metafile give no steps and an empty size.
    static PagePlayback read(
        const QByteArray& bytes, const std::vector<std::shared_ptr<const QByteArray>>& pictures = {});

    void play(QPainter& painter) const;

    QSize size {};
    std::vector<Step> steps;
    std::vector<QPen> pens;
    std::vector<QBrush> brushes;
    std::vector<QFont> fonts;
    std::vector<QImage> pictures;
};

} // namespace nidora::views
