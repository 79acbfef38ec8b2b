#include "reports/ReportLayout.h"

#include "core/Picture.h"
#include "core/PictureFormat.h"
#include "framework/ControlLabels.h"
#include "framework/FontSubstitution.h"
#include "views/MetafileEngine.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QTextLayout>

#include <deque>
#include <limits>
#include <map>

namespace nidora::reports {

namespace {

constexpr double kTop = 500;
constexpr double kMargin = 500;
// Space between the page header and the first band.
constexpr double kAfterHeader = 80;

const Picture& pictureOf(const char* text)
{
    // Every picture the layouts use is fixed text of theirs: read each once.
    static thread_local std::map<const char*, Picture> read;
    auto found = read.find(text);
    if (found == read.end())
        found = read.emplace(text, *parsePicture(QString::fromUtf8(text))).first;
    return found->second;
}

// A page of the report's kind, for measuring text in its units.
const views::ReportPage& measuringPage()
{
    static const views::ReportPage page = views::ReportPage::portrait();
    return page;
}

// A picture of the program's own at the size it is laid at on every page, on white. The pages
// of a report share one copy of it.
QImage programPicture(const char* name, QSize size)
{
    QImageReader reader(framework::findPictureFile(QString::fromLatin1(name)));
    reader.setScaledSize(size);
    QImage flat(size, QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, reader.read());
    painter.end();
    return flat;
}

} // namespace

namespace {

// The few fonts of the layouts, each made once: the same font again is then the same object to
// the pages, which select a font only when it changes.
QFont pageFont(const char* family, int points, bool bold)
{
    struct Made {
        const char* family;
        int points;
        bool bold;
        QFont font;
    };
    static thread_local std::vector<Made> made;
    for (const Made& each : made)
        if (each.family == family && each.points == points && each.bold == bold)
            return each.font;
    made.push_back(
        { family, points, bold, framework::describedPageFont(QString::fromLatin1(family), points, bold) });
    return made.back().font;
}

// The measures of a font on the page, taken once for each font.
const QFontMetricsF& metricsOf(const QFont& font)
{
    // A deque, so that the measures handed out stay where they are as more are taken.
    static thread_local std::deque<std::pair<QFont, QFontMetricsF>> taken;
    for (const auto& [each, metrics] : taken)
        if (each == font)
            return metrics;
    taken.emplace_back(font, QFontMetricsF(font, &measuringPage()));
    return taken.back().second;
}

} // namespace

QFont courier(int points, bool bold)
{
    return pageFont("Courier New", points, bold);
}

QFont arial(int points, bool bold)
{
    return pageFont("Arial", points, bold);
}

QString shown(const char* picture, std::int64_t value)
{
    return formatLong(pictureOf(picture), value);
}

QString shownText(const char* picture, const QString& text)
{
    return formatText(pictureOf(picture), text);
}

QString shownReal(const char* picture, double value)
{
    return formatReal(pictureOf(picture), value);
}

QString shownDecimal(const char* picture, std::int64_t units, int places)
{
    return formatDecimal(pictureOf(picture), Decimal(units, places));
}

QStringList wrapped(const QString& text, const QFont& font, double width)
{
    QStringList lines;
    QString all = text;
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : all.split(QLatin1Char('\n'))) {
        if (paragraph.trimmed().isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font, &measuringPage());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

double lineHeight(const QFont& font)
{
    // A little more than the font's own spacing, so that lines of small type read apart.
    return metricsOf(font).lineSpacing() * 1.12;
}

namespace {

const QImage& barPicture()
{
    // A band of colour across the page: a gradient, so 70 dots an inch along it will do.
    static const QImage bar = programPicture("barra1.bmp", QSize(700, 4));
    return bar;
}

const QImage& titlePicture()
{
    // 1.5 by 0.6 inches at 100 dots an inch.
    static const QImage title = programPicture("titulo1.bmp", QSize(150, 60));
    return title;
}

} // namespace

// ---- BandPainter -------------------------------------------------------------------------

BandPainter::BandPainter(QPainter& painter, QPointF origin, double width)
    : BandPainter(painter, origin, width, -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::infinity())
{
}

BandPainter::BandPainter(QPainter& painter, QPointF origin, double width, double from, double to)
    : painter_(&painter)
    , page_(dynamic_cast<views::MetafileEngine*>(painter.paintEngine()))
    , origin_(origin)
    , width_(width)
    , from_(from)
    , to_(to)
{
}

BandPainter::BandPainter(double width, std::vector<Span>& spans)
    : painter_(nullptr)
    , width_(width)
    , from_(-std::numeric_limits<double>::infinity())
    , to_(std::numeric_limits<double>::infinity())
    , spans_(&spans)
{
}

std::vector<BandPainter::Span> BandPainter::measure(
    const std::function<void(BandPainter&)>& draw, double width)
{
    std::vector<Span> spans;
    BandPainter measuring(width, spans);
    draw(measuring);
    return spans;
}

bool BandPainter::shows(double top, double bottom, bool whole)
{
    if (spans_) {
        if (whole && bottom > top)
            spans_->push_back({ top, bottom });
        return false;
    }
    return top >= from_ && top < to_;
}

void BandPainter::text(double x, double y, const QString& text, const QFont& font)
{
    if (text.trimmed().isEmpty())
        return;
    const QFontMetricsF& metrics = metricsOf(font);
    if (!shows(y, y + metrics.height()))
        return;
    if (page_) {
        page_->drawPlainText(at(x, y + metrics.ascent()), text, font, Qt::black);
        return;
    }
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    painter_->drawText(at(x, y + metrics.ascent()), text);
}

void BandPainter::textRight(double right, double y, const QString& words, const QFont& font)
{
    text(right - metricsOf(font).horizontalAdvance(words), y, words, font);
}

double BandPainter::lines(double x, double y, const QStringList& lines, const QFont& font)
{
    const double step = lineHeight(font);
    double at = y;
    for (const QString& line : lines) {
        text(x, at, line, font);
        at += step;
    }
    return at - y;
}

void BandPainter::rule(double y, double x1, double x2)
{
    if (!shows(y, y, false))
        return;
    painter_->setPen(QPen(Qt::black, 10));
    painter_->drawLine(at(x1, y), at(x2 < 0 ? width_ : x2, y));
}

namespace {

// A box up to this tall is kept whole on one page, like the line it frames; a taller one (the
// frame of a long memo) is cut where its lines are.
constexpr double kWholeBox = 1000;

} // namespace

void BandPainter::box(const QRectF& box, const QColor& fill, bool outline)
{
    if (spans_) {
        shows(box.top(), box.bottom(), box.height() <= kWholeBox);
        return;
    }
    // The part of the box within the slice.
    const double top = std::max(box.top(), from_);
    const double bottom = std::min(box.bottom(), to_);
    if (box.height() > 0 ? bottom <= top : !shows(box.top(), box.top(), false))
        return;
    painter_->setPen(outline ? QPen(Qt::black, 10) : QPen(Qt::NoPen));
    painter_->setBrush(fill);
    painter_->drawRect(QRectF(at(box.left(), top), QSizeF(box.width(), std::max(0.0, bottom - top))));
    painter_->setBrush(Qt::NoBrush);
}

void BandPainter::image(const QRectF& box, const QImage& image)
{
    if (image.isNull() || !shows(box.top(), box.bottom()))
        return;
    painter_->drawImage(QRectF(at(box.left(), box.top()), box.size()), image);
}

void BandPainter::check(double x, double y, bool marked, const QString& label, const QFont& font)
{
    // The mark is a letter in the square, so that the page's text says which boxes are marked.
    const QFontMetricsF& metrics = metricsOf(font);
    const double side = metrics.height();
    box(QRectF(x, y, side, side), Qt::white);
    if (marked)
        text(x + (side - metrics.horizontalAdvance(QLatin1Char('X'))) / 2, y, QStringLiteral("X"), font);
    text(x + side + 60, y, label, font);
}

// ---- ReportLayout ------------------------------------------------------------------------

ReportLayout::ReportLayout(Orientation orientation)
    : orientation_(orientation)
{
    const bool landscape = orientation == Orientation::Landscape;
    const double pageWidth = landscape ? views::ReportPage::kLongSide : views::ReportPage::kShortSide;
    const double pageHeight = landscape ? views::ReportPage::kShortSide : views::ReportPage::kLongSide;
    width_ = landscape ? 10000 : 7000;
    left_ = (pageWidth - width_) / 2;
    bottom_ = pageHeight - kMargin;
}

ReportLayout::~ReportLayout() = default;

int ReportLayout::pageCount() const
{
    return int(pages_.size()) + (page_ ? 1 : 0);
}

std::vector<views::ReportPage> ReportLayout::closePages()
{
    if (groupOpen_) {
        groupOpen_ = false;
        if (std::optional<Band> footer = groupFooter())
            print(*footer);
    }
    if (page_)
        endPage();
    return std::move(pages_);
}

void ReportLayout::detail(const data::Record& record)
{
    printDetail(record);
}

void ReportLayout::printDetailBand(const Band& band)
{
    if (!groupOpen_) {
        groupOpen_ = true;
        if (std::optional<Band> header = groupHeader())
            print(*header);
    }
    print(band);
    ++details_;
}

void ReportLayout::print(const Band& band)
{
    const double floor = bottom_ - pageFooterHeight();
    if (!page_)
        openPage();
    if (y_ + band.height > floor) {
        // A band that fits on a page of its own starts one rather than being cut.
        if (band.height > floor - bodyTop_) {
            printAcrossPages(band, floor);
            return;
        }
        endPage();
        openPage();
    }
    drawSlice(band, 0, band.height);
}

void ReportLayout::drawSlice(const Band& band, double from, double to)
{
    // The band's first slice takes whatever it draws above its top, its last whatever it draws
    // below its height.
    constexpr double kAll = std::numeric_limits<double>::infinity();
    BandPainter painter(
        *painter_, QPointF(left_, y_ - from), width_, from > 0 ? from : -kAll, to < band.height ? to : kAll);
    band.draw(painter);
    y_ += to - from;
}

namespace {

// The lowest place from `from` down to `most` where the band can be cut: no line of text,
// picture or small box runs across it. Answers `from` when the band cannot be cut below it
// before `most` without cutting through something.
double cutAt(const std::vector<BandPainter::Span>& spans, double from, double most)
{
    double cut = most;
    for (bool moved = true; moved && cut > from;) {
        moved = false;
        for (const BandPainter::Span& span : spans)
            if (span.top < cut && span.bottom > cut) {
                cut = std::max(from, span.top);
                moved = true;
            }
    }
    return cut;
}

} // namespace

void ReportLayout::printAcrossPages(const Band& band, double floor)
{
    const std::vector<BandPainter::Span> spans = BandPainter::measure(band.draw, width_);
    double from = 0;
    while (from < band.height) {
        const double most = std::min(band.height, from + (floor - y_));
        double cut = most >= band.height ? band.height : cutAt(spans, from, most);
        if (cut <= from) {
            if (y_ > bodyTop_) {
                // Not one line of it fits under what the page holds: on to the next page.
                endPage();
                openPage();
                continue;
            }
            // Something of it is taller than a whole page: it is cut where the page ends.
            cut = most;
        }
        drawSlice(band, from, cut);
        from = cut;
        if (from < band.height) {
            endPage();
            openPage();
        }
    }
}

void ReportLayout::headerPictures(BandPainter& band)
{
    band.image(QRectF(0, 0, band.width(), 100), barPicture());
    band.image(QRectF(0, 160, 1500, 600), titlePicture());
}

double ReportLayout::header(BandPainter& band, const QStringList& title, const QString& dateStamp)
{
    headerPictures(band);
    const QFont titleFont = courier(11, true);
    double y = 220;
    for (const QString& line : title) {
        band.text(1700, y, line.toUpper(), titleFont);
        y += lineHeight(titleFont);
    }
    // The stamp stands on the title's first line.
    if (!dateStamp.isEmpty()) {
        const QFont stamp = courier(8, true);
        const double ascents = metricsOf(titleFont).ascent() - metricsOf(stamp).ascent();
        band.textRight(band.width(), 220 + ascents, dateStamp, stamp);
    }
    return std::max(y, 800.0);
}

void ReportLayout::openPage()
{
    page_ = std::make_unique<views::ReportPage>(orientation_ == Orientation::Landscape
            ? views::ReportPage::landscape()
            : views::ReportPage::portrait());
    painter_ = std::make_unique<QPainter>(page_.get());
    BandPainter top(*painter_, QPointF(left_, kTop), width_);
    y_ = kTop + pageHeader(top) + kAfterHeader;
    bodyTop_ = y_;
}

void ReportLayout::endPage()
{
    if (const double height = pageFooterHeight(); height > 0) {
        BandPainter footer(*painter_, QPointF(left_, bottom_ - height), width_);
        pageFooter(footer, int(pages_.size()) + 1);
    }
    painter_->end();
    painter_.reset();
    pages_.push_back(std::move(*page_));
    page_.reset();
}

} // namespace nidora::reports
