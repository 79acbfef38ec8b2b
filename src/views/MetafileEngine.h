#pragma once

#include "views/MetafileFormat.h"

#include <QByteArray>
#include <QFont>
#include <QPaintEngine>
#include <QTransform>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The paint engine behind a report page: turns a painter's calls into metafile records. Pens,
// brushes and fonts become objects created when a drawing call first needs them and deleted when
// they are replaced, so a page's object table stays a few entries long; every object is deleted
// when the painter ends, so a later painter on the same page starts from an empty table.
namespace nidora::views {

class ReportPage;

class MetafileEngine final : public QPaintEngine {
public:
    MetafileEngine();

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return User; }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawLines(const QLineF* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override;
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
        Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& position, const QTextItem& textItem) override;

    // A text from its baseline's start, recorded as a painter's text is but without the
    // painter laying out its glyphs first: the page keeps texts, not glyphs, and a report of
    // thousands of pages would spend most of its time on glyphs nobody looks at. The painter
    // on the page must be active and must not have been moved, scaled or turned.
    void drawPlainText(const QPointF& baseline, const QString& text, const QFont& font, const QColor& color);

private:
    enum Slot { PenSlot, BrushSlot, FontSlot, SlotCount };

    void write(const QByteArray& record);
    // Makes the object that `create` makes the selected one of its kind, creating it when it
    // differs from the one selected.
    void select(Slot slot, wmf::Record& create);
    void selectPen();
    void selectBrush();
    void selectFont(const QFont& font);
    void setTextColor(const QColor& color);
    void polygon(const QPolygonF& points, bool closed);
    // True while the transform only moves and scales, so boxes stay boxes.
    bool axisAligned() const { return transform_.type() <= QTransform::TxScale; }
    int freeObjectIndex() const;

    ReportPage* page_ = nullptr;
    QByteArray file_;
    // The pictures the records refer to, each once.
    std::vector<std::shared_ptr<const QByteArray>> pictures_;
    std::uint32_t maxRecordWords_ = 0;
    int objectCount_ = 0;

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    Qt::FillRule fillRule_ = Qt::OddEvenFill;

    // The object selected for each kind, and the record that made it.
    std::array<int, SlotCount> selected_ {};
    std::array<QByteArray, SlotCount> selectedBytes_ {};
    std::array<bool, 16> used_ {};
    // The font the selected font object was made from, under the transform of then.
    QFont selectedFont_;
    QTransform fontTransform_;
    std::uint32_t textColor_ = 0;
    std::uint16_t polyFillMode_ = 0;
};

} // namespace nidora::views
