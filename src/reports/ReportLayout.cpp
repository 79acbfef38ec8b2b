#include "reports/ReportLayout.h"

#include "core/Picture.h"
#include "core/PictureFormat.h"
#include "framework/ControlLabels.h"
#include "framework/FontSubstitution.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QTextLayout>

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

// A picture of the program's own at the size it is laid at on every page, on white: each page
// keeps its own copy of it, so it is made no finer than the page needs.
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

QFont courier(int points, bool bold)
{
    return framework::describedFont(QStringLiteral("Courier New"), points, bold);
}

QFont arial(int points, bool bold)
{
    return framework::describedFont(QStringLiteral("Arial"), points, bold);
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
    return QFontMetricsF(font, &measuringPage()).lineSpacing() * 1.12;
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
    : painter_(painter)
    , origin_(origin)
    , width_(width)
{
}

void BandPainter::text(double x, double y, const QString& text, const QFont& font)
{
    if (text.trimmed().isEmpty())
        return;
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    painter_.drawText(origin_ + QPointF(x, y + QFontMetricsF(font, &measuringPage()).ascent()), text);
}

void BandPainter::textRight(double right, double y, const QString& words, const QFont& font)
{
    text(right - QFontMetricsF(font, &measuringPage()).horizontalAdvance(words), y, words, font);
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
    painter_.setPen(QPen(Qt::black, 10));
    painter_.drawLine(origin_ + QPointF(x1, y), origin_ + QPointF(x2 < 0 ? width_ : x2, y));
}

void BandPainter::box(const QRectF& box, const QColor& fill, bool outline)
{
    painter_.setPen(outline ? QPen(Qt::black, 10) : QPen(Qt::NoPen));
    painter_.setBrush(fill);
    painter_.drawRect(box.translated(origin_));
    painter_.setBrush(Qt::NoBrush);
}

void BandPainter::image(const QRectF& box, const QImage& image)
{
    if (!image.isNull())
        painter_.drawImage(box.translated(origin_), image);
}

void BandPainter::check(double x, double y, bool marked, const QString& label, const QFont& font)
{
    // The mark is a letter in the square, so that the page's text says which boxes are marked.
    const QFontMetricsF metrics(font, &measuringPage());
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
    if (page_ && y_ + band.height > floor && y_ > 0)
        endPage();
    if (!page_)
        openPage();
    BandPainter painter(*painter_, QPointF(left_, y_), width_);
    band.draw(painter);
    y_ += band.height;
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
        const double ascents = QFontMetricsF(titleFont, &measuringPage()).ascent()
            - QFontMetricsF(stamp, &measuringPage()).ascent();
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
