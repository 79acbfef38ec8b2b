#include "views/MetafilePlayback.h"

#include "core/Cp1252.h"
#include "framework/FontSubstitution.h"
#include "views/MetafileFormat.h"
#include "views/PagePictures.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <variant>

namespace nidora::views {

namespace {

using Step = PagePlayback::Step;

QColor colorOf(std::uint32_t ref)
{
    return QColor(int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF));
}

Qt::PenStyle penStyleOf(std::uint16_t style)
{
    for (const auto& [pen, line] : wmf::kPenStyles)
        if (pen == (style & 0x0F))
            return line;
    return Qt::SolidLine;
}

// A bitmap of 24 or 32 bits a dot without compression, the kinds pages hold.
QImage imageOfDib(const QByteArray& bytes, qsizetype at, qsizetype end)
{
    const std::uint32_t headerSize = wmf::u32(bytes, at);
    const auto width = std::int32_t(wmf::u32(bytes, at + 4));
    const auto height = std::int32_t(wmf::u32(bytes, at + 8));
    const int bits = wmf::u16(bytes, at + 14);
    const std::uint32_t compression = wmf::u32(bytes, at + 16);
    if (headerSize < 40 || width <= 0 || height == 0 || (bits != 24 && bits != 32) || compression != 0)
        return {};
    const int rows = std::abs(height);
    const qsizetype rowBytes = (qsizetype(width) * (bits / 8) + 3) & ~3;
    const qsizetype pixels = at + headerSize;
    if (pixels + rowBytes * rows > end || rowBytes * rows > (qsizetype(1) << 28))
        return {};
    QImage image(width, rows, QImage::Format_RGB32);
    for (int row = 0; row < rows; ++row) {
        // Rows are stored bottom-up unless the height is negative.
        const char* source = bytes.constData() + pixels + rowBytes * (height > 0 ? rows - 1 - row : row);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < width; ++x) {
            const auto* dot = reinterpret_cast<const std::uint8_t*>(source + x * (bits / 8));
            target[x] = qRgb(dot[2], dot[1], dot[0]);
        }
    }
    return image;
}

// Reads one metafile's records into steps; each object the file creates goes into the table
// at its lowest free index, as the records that select and delete objects expect.
class Reader {
public:
    Reader(const QByteArray& bytes, const std::vector<pagepictures::Bitmap>& pictures, PagePlayback& page)
        : bytes_(bytes)
        , pictures_(pictures)
        , page_(page)
    {
    }

    void run()
    {
        const QRect bounds = wmf::boundingBox(bytes_);
        const int inch = wmf::u16(bytes_, wmf::kInchField) ? wmf::u16(bytes_, wmf::kInchField) : 1000;
        unit_ = 1000.0 / inch;
        origin_ = bounds.topLeft();
        bounds_ = bounds.size();
        page_.size = QSize(int(bounds.width() * unit_ + 0.5), int(bounds.height() * unit_ + 0.5));
        bool ended = false;
        wmf::forEachRecord(bytes_, [&](std::uint16_t function, qsizetype at, qsizetype end) {
            ended = ended || function == wmf::EndOfFile;
            if (!ended)
                record(function, at + wmf::kRecordPrefixBytes, end);
        });
    }

private:
    using Object = std::variant<std::monostate, int /* pen */, long /* brush */, QFont>;

    QPointF point(qsizetype at) const { return map(wmf::s16(bytes_, at), wmf::s16(bytes_, at + 2)); }
    QPointF pointYX(qsizetype at) const { return map(wmf::s16(bytes_, at + 2), wmf::s16(bytes_, at)); }
    QPointF map(double x, double y) const
    {
        // Window origin and extent, when the file sets them, map logical units onto the
        // bounding box; otherwise logical units are the bounding box's own.
        const double px = windowExt_.width() ? (x - windowOrg_.x()) * bounds_.width() / windowExt_.width()
                                             : x - origin_.x();
        const double py = windowExt_.height() ? (y - windowOrg_.y()) * bounds_.height() / windowExt_.height()
                                              : y - origin_.y();
        return QPointF(px * unit_, py * unit_);
    }
    double scaleY() const
    {
        return (windowExt_.height() ? double(bounds_.height()) / std::abs(windowExt_.height()) : 1.0) * unit_;
    }
    // A box given bottom, right, top, left.
    QRectF box(qsizetype at) const { return QRectF(pointYX(at + 4), pointYX(at)).normalized(); }

    void create(Object object)
    {
        const auto free = std::find_if(objects_.begin(), objects_.end(),
            [](const Object& o) { return std::holds_alternative<std::monostate>(o); });
        if (free == objects_.end())
            objects_.push_back(std::move(object));
        else
            *free = std::move(object);
    }

    void record(std::uint16_t function, qsizetype p, qsizetype end)
    {
        switch (function) {
        case wmf::SetWindowOrg:
            windowOrg_ = QPoint(wmf::s16(bytes_, p + 2), wmf::s16(bytes_, p));
            break;
        case wmf::SetWindowExt:
            windowExt_ = QSize(wmf::s16(bytes_, p + 2), wmf::s16(bytes_, p));
            break;
        case wmf::SetTextAlign:
            align_ = wmf::u16(bytes_, p);
            break;
        case wmf::SetTextColor:
            textColor_ = colorOf(wmf::u32(bytes_, p));
            break;
        case wmf::SetPolyFillMode:
            fill_ = wmf::u16(bytes_, p) == wmf::kWinding ? Qt::WindingFill : Qt::OddEvenFill;
            break;
        case wmf::CreatePenIndirect: {
            const int width = wmf::s16(bytes_, p + 2);
            QPen pen(colorOf(wmf::u32(bytes_, p + 6)), width <= 1 ? 0.0 : width * scaleY(),
                penStyleOf(wmf::u16(bytes_, p)));
            pen.setCosmetic(width <= 1);
            page_.pens.push_back(pen);
            create(int(page_.pens.size() - 1));
            break;
        }
        case wmf::CreateBrushIndirect: {
            const std::uint16_t style = wmf::u16(bytes_, p);
            page_.brushes.push_back(
                style == wmf::kBrushNull ? QBrush() : QBrush(colorOf(wmf::u32(bytes_, p + 2))));
            create(long(page_.brushes.size() - 1));
            break;
        }
        case wmf::CreateFontIndirect: {
            QByteArray face = bytes_.mid(p + 18, std::min<qsizetype>(wmf::kFaceNameBytes, end - p - 18));
            face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
            // The face the page names, drawn with the font that stands in for it here.
            QFont font(framework::substituteFontFamily(cp1252::decode(face)));
            font.setPixelSize(std::max(1, int(std::abs(wmf::s16(bytes_, p)) * scaleY() + 0.5)));
            font.setWeight(QFont::Weight(std::clamp<int>(wmf::s16(bytes_, p + 8), 100, 900)));
            font.setItalic((wmf::u16(bytes_, p + 10) & 0xFF) != 0);
            font.setUnderline((wmf::u16(bytes_, p + 10) >> 8) != 0);
            font.setStrikeOut((wmf::u16(bytes_, p + 12) & 0xFF) != 0);
            create(font);
            break;
        }
        case wmf::SelectObject: {
            const std::size_t index = wmf::u16(bytes_, p);
            if (index >= objects_.size())
                break;
            if (const auto* pen = std::get_if<int>(&objects_[index]))
                pen_ = *pen;
            else if (const auto* brush = std::get_if<long>(&objects_[index]))
                brush_ = int(*brush);
            else if (const auto* font = std::get_if<QFont>(&objects_[index])) {
                page_.fonts.push_back(*font);
                font_ = int(page_.fonts.size() - 1);
            }
            break;
        }
        case wmf::DeleteObject: {
            const std::size_t index = wmf::u16(bytes_, p);
            if (index < objects_.size())
                objects_[index] = std::monostate {};
            break;
        }
        case wmf::MoveTo:
            position_ = pointYX(p);
            break;
        case wmf::LineTo: {
            const QPointF to = pointYX(p);
            add(Step { .kind = Step::Line, .points = QPolygonF({ position_, to }) });
            position_ = to;
            break;
        }
        case wmf::Rectangle:
            add(Step { .kind = Step::Box, .box = box(p) });
            break;
        case wmf::Ellipse:
            add(Step { .kind = Step::Ellipse, .box = box(p) });
            break;
        case wmf::Polygon:
        case wmf::Polyline: {
            const int count = std::min<int>(wmf::s16(bytes_, p), int((end - p - 2) / 4));
            QPolygonF points;
            points.reserve(std::max(0, count));
            for (int i = 0; i < count; ++i)
                points.append(point(p + 2 + 4 * i));
            add(Step { .kind = function == wmf::Polygon ? Step::Shape : Step::Outline,
                .points = points,
                .fill = fill_ });
            break;
        }
        case wmf::StretchDib:
            picture(p, imageOfDib(bytes_, p + 22, end));
            break;
        case wmf::Escape:
            // A picture the page shares with others, by its place in the page's list.
            if (const auto reference = pagepictures::referenceIn(bytes_, p - wmf::kRecordPrefixBytes, end))
                if (reference->index < int(pictures_.size())) {
                    const QByteArray& bitmap = *pictures_[std::size_t(reference->index)];
                    picture(reference->parameters, imageOfDib(bitmap, 0, bitmap.size()));
                }
            break;
        case wmf::ExtTextOut:
            text(p, end);
            break;
        default:
            break;
        }
    }

    // A picture drawn as the picture record's parameters from p say.
    void picture(qsizetype p, QImage image)
    {
        if (image.isNull())
            return;
        const QRectF source(wmf::s16(bytes_, p + 12), wmf::s16(bytes_, p + 10), wmf::s16(bytes_, p + 8),
            wmf::s16(bytes_, p + 6));
        if (source.toRect() != image.rect() && !source.isEmpty())
            image = image.copy(source.toRect());
        const QPointF topLeft = map(wmf::s16(bytes_, p + 20), wmf::s16(bytes_, p + 18));
        const QPointF bottomRight = map(wmf::s16(bytes_, p + 20) + wmf::s16(bytes_, p + 16),
            wmf::s16(bytes_, p + 18) + wmf::s16(bytes_, p + 14));
        page_.pictures.push_back(std::move(image));
        add(Step { .kind = Step::Picture,
            .box = QRectF(topLeft, bottomRight).normalized(),
            .picture = int(page_.pictures.size() - 1) });
    }

    void text(qsizetype p, qsizetype end)
    {
        const int count = wmf::s16(bytes_, p + 4);
        const std::uint16_t options = wmf::u16(bytes_, p + 6);
        const qsizetype chars = p + 8 + ((options & (wmf::kTextOpaque | wmf::kTextClipped)) ? 8 : 0);
        if (count <= 0 || chars >= end)
            return;
        Step step { .kind = Step::Text, .color = textColor_ };
        step.text = cp1252::decode(bytes_.mid(chars, std::min<qsizetype>(count, end - chars)));
        step.at = pointYX(p);
        const int vertical = align_ & 0x18;
        const int horizontal = align_ & 0x06;
        if ((vertical != wmf::kAlignBaseline || horizontal) && font_ >= 0) {
            const QFontMetricsF metrics(page_.fonts[std::size_t(font_)]);
            if (vertical == 0)
                step.at.ry() += metrics.ascent();
            else if (vertical == 8)
                step.at.ry() -= metrics.descent();
            if (horizontal == 6)
                step.at.rx() -= metrics.horizontalAdvance(step.text) / 2;
            else if (horizontal == 2)
                step.at.rx() -= metrics.horizontalAdvance(step.text);
        }
        add(step);
    }

    void add(Step step)
    {
        step.pen = pen_;
        step.brush = brush_;
        step.font = font_;
        page_.steps.push_back(std::move(step));
    }

    const QByteArray& bytes_;
    const std::vector<pagepictures::Bitmap>& pictures_;
    PagePlayback& page_;
    double unit_ = 1.0;
    QPoint origin_;
    QSize bounds_;
    QPoint windowOrg_;
    QSize windowExt_ { 0, 0 };
    std::vector<Object> objects_;
    int pen_ = -1;
    int brush_ = -1;
    int font_ = -1;
    std::uint16_t align_ = 0;
    QColor textColor_ = Qt::black;
    Qt::FillRule fill_ = Qt::OddEvenFill;
    QPointF position_;
};

} // namespace

PagePlayback PagePlayback::read(const QByteArray& bytes, const std::vector<pagepictures::Bitmap>& pictures)
{
    PagePlayback page;
    if (!wmf::isPlaceable(bytes))
        return page;
    Reader(bytes, pictures, page).run();
    return page;
}

void PagePlayback::play(QPainter& painter) const
{
    painter.save();
    int pen = -2;
    int brush = -2;
    int font = -2;
    const auto usePen = [&](int index) {
        if (index == pen)
            return;
        pen = index;
        painter.setPen(index >= 0 ? pens[std::size_t(index)] : QPen(Qt::black, 0));
    };
    const auto useBrush = [&](int index) {
        if (index == brush)
            return;
        brush = index;
        painter.setBrush(index >= 0 ? brushes[std::size_t(index)] : QBrush(Qt::white));
    };
    for (const Step& step : steps) {
        switch (step.kind) {
        case Step::Text:
            if (step.font != font) {
                font = step.font;
                painter.setFont(font >= 0 ? fonts[std::size_t(font)] : QFont());
            }
            pen = -2;
            painter.setPen(step.color);
            painter.drawText(step.at, step.text);
            break;
        case Step::Line:
        case Step::Outline:
            usePen(step.pen);
            painter.drawPolyline(step.points);
            break;
        case Step::Box:
            usePen(step.pen);
            useBrush(step.brush);
            painter.drawRect(step.box);
            break;
        case Step::Ellipse:
            usePen(step.pen);
            useBrush(step.brush);
            painter.drawEllipse(step.box);
            break;
        case Step::Shape:
            usePen(step.pen);
            useBrush(step.brush);
            painter.drawPolygon(step.points, step.fill);
            break;
        case Step::Picture:
            painter.drawImage(step.box, pictures[std::size_t(step.picture)]);
            break;
        }
    }
    painter.restore();
}

} // namespace nidora::views
