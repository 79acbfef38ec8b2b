#include "views/MetafileEngine.h"

#include "core/Cp1252.h"
#include "framework/FontSubstitution.h"
#include "views/MetafileFormat.h"
#include "views/PagePictures.h"
#include "views/ReportPage.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace nidora::views {

namespace {

// Pictures are kept at no more than this many dots per inch of the page: enough for print,
// and a photo's megapixels do not swell every page.
constexpr double kMaxPictureDpi = 300.0;

int clamp16(double value)
{
    return int(std::clamp(std::lround(value), -32768L, 32767L));
}

std::uint32_t colorRefOf(const QColor& color)
{
    return wmf::colorRef(color.red(), color.green(), color.blue());
}

std::uint16_t penStyleOf(Qt::PenStyle style)
{
    for (const auto& [pen, line] : wmf::kPenStyles)
        if (line == style)
            return pen;
    return wmf::kPenSolid;
}

// How much the transform scales lengths (the mean of its two axes).
double lengthScale(const QTransform& transform)
{
    return std::sqrt(std::abs(transform.determinant()));
}

// A device-independent bitmap of 24 bits a dot, rows bottom-up, as the picture record holds it.
QByteArray dibOf(const QImage& image)
{
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    const int rowBytes = (bgr.width() * 3 + 3) & ~3;
    QByteArray dib;
    dib.reserve(40 + rowBytes * bgr.height());
    QByteArray info;
    info.resize(40, '\0');
    wmf::put32(info, 0, 40);
    wmf::put32(info, 4, std::uint32_t(bgr.width()));
    wmf::put32(info, 8, std::uint32_t(bgr.height()));
    wmf::put16(info, 12, 1);
    wmf::put16(info, 14, 24);
    wmf::put32(info, 20, std::uint32_t(rowBytes * bgr.height()));
    dib.append(info);
    for (int y = bgr.height() - 1; y >= 0; --y) {
        dib.append(reinterpret_cast<const char*>(bgr.constScanLine(y)), bgr.width() * 3);
        dib.append(rowBytes - bgr.width() * 3, '\0');
    }
    return dib;
}

// How many dots of a picture's part the page keeps: no finer than the page needs.
QSize dotsFor(QSize part, const QSizeF& target)
{
    const QSize most(std::max(1, int(std::ceil(target.width() * kMaxPictureDpi / ReportPage::kUnitsPerInch))),
        std::max(1, int(std::ceil(target.height() * kMaxPictureDpi / ReportPage::kUnitsPerInch))));
    if (part.width() > most.width() || part.height() > most.height())
        return most.boundedTo(part);
    return part;
}

// A picture's part at its dots, laid onto white (the record has no transparency).
QImage pictureFor(const QImage& image, const QRect& source, QSize dots)
{
    QImage part = image.copy(source);
    if (part.size() != dots)
        part = part.scaled(dots, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (part.hasAlphaChannel()) {
        QImage flat(part.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, part);
        painter.end();
        part = flat;
    }
    return part;
}

} // namespace

MetafileEngine::MetafileEngine()
    : QPaintEngine(AllFeatures)
{
}

bool MetafileEngine::begin(QPaintDevice* device)
{
    page_ = static_cast<ReportPage*>(device);
    file_ = page_->records();
    pictures_ = page_->pictures_;
    // The end record goes; it is written again when the painter ends.
    file_.chop(wmf::kMinRecordWords * 2);
    maxRecordWords_ = wmf::u32(file_, wmf::kMaxRecordWords);
    objectCount_ = wmf::u16(file_, wmf::kObjectCount);
    pen_ = QPen();
    brush_ = QBrush();
    transform_ = QTransform();
    fillRule_ = Qt::OddEvenFill;
    selected_.fill(-1);
    for (auto& bytes : selectedBytes_)
        bytes.clear();
    used_.fill(false);
    textColor_ = 0;
    polyFillMode_ = 0;
    // Each painter states the modes its records rely on, so a page stays right however many
    // painters added to it.
    write(wmf::Record(wmf::SetBkMode).add16(wmf::kTransparent).bytes());
    write(wmf::Record(wmf::SetTextAlign).add16(wmf::kAlignBaseline).bytes());
    write(wmf::Record(wmf::SetTextColor).add32(0).bytes());
    return true;
}

bool MetafileEngine::end()
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (selected_[slot] >= 0)
            write(wmf::Record(wmf::DeleteObject).add16(std::uint16_t(selected_[slot])).bytes());
    write(wmf::Record(wmf::EndOfFile).bytes());
    wmf::put32(file_, wmf::kFileSizeWords, std::uint32_t((file_.size() - wmf::kPlaceableHeaderBytes) / 2));
    wmf::put32(file_, wmf::kMaxRecordWords, maxRecordWords_);
    wmf::put16(file_, wmf::kObjectCount, std::uint16_t(objectCount_));
    ReportPage* page = page_;
    page_ = nullptr;
    page->recorded(std::move(file_), std::move(pictures_));
    file_ = {};
    pictures_.clear();
    return true;
}

void MetafileEngine::updateState(const QPaintEngineState& state)
{
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen)
        pen_ = state.pen();
    if (flags & DirtyBrush)
        brush_ = state.brush();
    if (flags & DirtyTransform)
        transform_ = state.transform();
}

void MetafileEngine::write(const QByteArray& record)
{
    file_.append(record);
    maxRecordWords_ = std::max(maxRecordWords_, std::uint32_t(record.size() / 2));
}

int MetafileEngine::freeObjectIndex() const
{
    const auto it = std::find(used_.begin(), used_.end(), false);
    return int(it - used_.begin());
}

void MetafileEngine::select(Slot slot, wmf::Record& create)
{
    const QByteArray& record = create.bytes();
    if (selected_[slot] >= 0 && selectedBytes_[slot] == record)
        return;
    const int index = freeObjectIndex();
    write(record);
    write(wmf::Record(wmf::SelectObject).add16(std::uint16_t(index)).bytes());
    used_[index] = true;
    objectCount_ = std::max(objectCount_, index + 1);
    if (selected_[slot] >= 0) {
        write(wmf::Record(wmf::DeleteObject).add16(std::uint16_t(selected_[slot])).bytes());
        used_[selected_[slot]] = false;
    }
    selected_[slot] = index;
    selectedBytes_[slot] = record;
}

void MetafileEngine::selectPen()
{
    // A cosmetic pen is one dot wide on any device: width 0.
    const int width = pen_.isCosmetic() ? 0 : clamp16(pen_.widthF() * lengthScale(transform_));
    wmf::Record pen(wmf::CreatePenIndirect);
    pen.add16(penStyleOf(pen_.style())).addS16(width).addS16(0).add32(colorRefOf(pen_.color()));
    select(PenSlot, pen);
}

void MetafileEngine::selectBrush()
{
    wmf::Record brush(wmf::CreateBrushIndirect);
    const bool none = brush_.style() == Qt::NoBrush;
    brush.add16(none ? wmf::kBrushNull : wmf::kBrushSolid)
        .add32(none ? 0 : colorRefOf(brush_.color()))
        .add16(0);
    select(BrushSlot, brush);
}

void MetafileEngine::selectFont(const QFont& font)
{
    // Most texts of a page come in the font of the one before.
    if (selected_[FontSlot] >= 0 && font == selectedFont_ && transform_ == fontTransform_)
        return;
    selectedFont_ = font;
    fontTransform_ = transform_;
    const double scale = std::abs(transform_.m22()) > 0 && axisAligned() ? std::abs(transform_.m22())
                                                                         : lengthScale(transform_);
    const double size
        = font.pointSizeF() > 0 ? font.pointSizeF() * ReportPage::kUnitsPerInch / 72.0 : font.pixelSize();
    // Turning with the painter: the angle in tenths of a degree, counter-clockwise.
    const double angle = -std::atan2(transform_.m12(), transform_.m11()) * 1800.0 / M_PI;
    wmf::Record logFont(wmf::CreateFontIndirect);
    // A negative height is the character height without its internal leading: the em size.
    logFont.addS16(-clamp16(size * scale)).addS16(0).addS16(clamp16(angle)).addS16(clamp16(angle));
    logFont.addS16(font.weight());
    // Underline and strike-out are drawn by the painter as lines of their own.
    QByteArray flags(8, '\0');
    flags[0] = font.italic() ? 1 : 0;
    logFont.addBytes(flags);
    // The face the layout names, not the one that stands in for it on this machine.
    QByteArray face = cp1252::encode(framework::describedFamily(font)).left(wmf::kFaceNameBytes - 1);
    face.append(wmf::kFaceNameBytes - face.size(), '\0');
    logFont.addBytes(face);
    select(FontSlot, logFont);
}

void MetafileEngine::setTextColor(const QColor& textColor)
{
    const std::uint32_t color = colorRefOf(textColor);
    if (color == textColor_)
        return;
    write(wmf::Record(wmf::SetTextColor).add32(color).bytes());
    textColor_ = color;
}

void MetafileEngine::drawLines(const QLineF* lines, int count)
{
    if (pen_.style() == Qt::NoPen)
        return;
    selectPen();
    for (int i = 0; i < count; ++i) {
        const QLineF line = transform_.map(lines[i]);
        write(wmf::Record(wmf::MoveTo).addS16(clamp16(line.y1())).addS16(clamp16(line.x1())).bytes());
        write(wmf::Record(wmf::LineTo).addS16(clamp16(line.y2())).addS16(clamp16(line.x2())).bytes());
    }
}

void MetafileEngine::drawRects(const QRectF* rects, int count)
{
    if (!axisAligned()) {
        for (int i = 0; i < count; ++i)
            polygon(transform_.map(QPolygonF(rects[i])), true);
        return;
    }
    selectPen();
    selectBrush();
    for (int i = 0; i < count; ++i) {
        const QRectF box = transform_.mapRect(rects[i]);
        write(wmf::Record(wmf::Rectangle)
                  .addS16(clamp16(box.bottom()))
                  .addS16(clamp16(box.right()))
                  .addS16(clamp16(box.top()))
                  .addS16(clamp16(box.left()))
                  .bytes());
    }
}

void MetafileEngine::drawEllipse(const QRectF& rect)
{
    if (!axisAligned()) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    selectPen();
    selectBrush();
    const QRectF box = transform_.mapRect(rect);
    write(wmf::Record(wmf::Ellipse)
              .addS16(clamp16(box.bottom()))
              .addS16(clamp16(box.right()))
              .addS16(clamp16(box.top()))
              .addS16(clamp16(box.left()))
              .bytes());
}

void MetafileEngine::drawPath(const QPainterPath& path)
{
    fillRule_ = path.fillRule();
    for (const QPolygonF& part : path.toSubpathPolygons(transform_))
        polygon(part, part.isClosed() || brush_.style() != Qt::NoBrush);
}

void MetafileEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode)
{
    fillRule_ = mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill;
    QPolygonF shape;
    shape.reserve(count);
    for (int i = 0; i < count; ++i)
        shape.append(transform_.map(points[i]));
    polygon(shape, mode != PolylineMode);
}

void MetafileEngine::polygon(const QPolygonF& points, bool closed)
{
    if (points.size() < 2)
        return;
    selectPen();
    if (closed) {
        selectBrush();
        const std::uint16_t fill = fillRule_ == Qt::WindingFill ? wmf::kWinding : wmf::kAlternate;
        if (fill != polyFillMode_) {
            write(wmf::Record(wmf::SetPolyFillMode).add16(fill).bytes());
            polyFillMode_ = fill;
        }
    }
    wmf::Record record(closed ? wmf::Polygon : wmf::Polyline);
    record.addS16(int(points.size()));
    for (const QPointF& point : points)
        record.addS16(clamp16(point.x())).addS16(clamp16(point.y()));
    write(record.bytes());
}

void MetafileEngine::drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(rect, pixmap.toImage(), source);
}

void MetafileEngine::drawImage(
    const QRectF& rect, const QImage& image, const QRectF& source, Qt::ImageConversionFlags)
{
    const QRectF target = transform_.mapRect(rect);
    const QRect part = source.toAlignedRect() & image.rect();
    if (part.isEmpty())
        return;
    const QSize dots = dotsFor(part.size(), target.size());
    // The bitmap is made once for every page that shows this picture at this size.
    pagepictures::Bitmap bitmap
        = pagepictures::shared(image, part, dots, [&] { return dibOf(pictureFor(image, part, dots)); });
    auto held = std::find(pictures_.begin(), pictures_.end(), bitmap);
    if (held == pictures_.end())
        held = pictures_.insert(pictures_.end(), std::move(bitmap));
    wmf::Record parameters(wmf::StretchDib);
    parameters.add32(wmf::kSourceCopy)
        .add16(0) // the bitmap's own colours
        .addS16(dots.height())
        .addS16(dots.width())
        .addS16(0)
        .addS16(0)
        .addS16(clamp16(target.height()))
        .addS16(clamp16(target.width()))
        .addS16(clamp16(target.top()))
        .addS16(clamp16(target.left()));
    write(pagepictures::referenceRecord(
        parameters.bytes().mid(wmf::kRecordPrefixBytes), int(held - pictures_.begin())));
}

void MetafileEngine::drawTextItem(const QPointF& position, const QTextItem& textItem)
{
    drawPlainText(position, textItem.text(), textItem.font(), pen_.color());
}

void MetafileEngine::drawPlainText(
    const QPointF& baseline, const QString& words, const QFont& font, const QColor& color)
{
    const QByteArray text = cp1252::encode(words);
    if (text.isEmpty())
        return;
    selectFont(font);
    setTextColor(color);
    const QPointF at = transform_.map(baseline);
    write(wmf::Record(wmf::ExtTextOut)
              .addS16(clamp16(at.y()))
              .addS16(clamp16(at.x()))
              .addS16(int(std::min<qsizetype>(text.size(), 32767)))
              .add16(0)
              .addBytes(text.left(32767))
              .bytes());
}

} // namespace nidora::views
