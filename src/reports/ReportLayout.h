#pragma once

#include "views/ReportPass.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// How the reports lay their bands out on pages, in thousandths of an inch from the page's top
// left: the page header on every page (the program's bar across the width, its title picture
// at the top left, the report's title in capitals, the selection printed for and the column
// captions), the detail bands one under another, a group header before the first detail and a
// group footer after the last where a report has them, and a page footer. A band that does
// not fit under the bands before it starts a new page; one taller than a whole page is cut
// between its lines and runs on from page to page under each page's header, so that none of
// its text falls past the page's end.
namespace nidora::views {
class MetafileEngine;
}

namespace nidora::reports {

// Texts of the layouts: Courier New (drawn with its metric twin) at the sizes the layouts
// give, Arial for the birthday report's title lines.
QFont courier(int points, bool bold = false);
QFont arial(int points, bool bold = false);

// A value through its picture ("@n7", "@D6", "@N3~a~").
QString shown(const char* picture, std::int64_t value);
QString shownText(const char* picture, const QString& text);
QString shownReal(const char* picture, double value);
// A DECIMAL field held as a count of 10^-places units.
QString shownDecimal(const char* picture, std::int64_t units, int places);

// The lines a text takes when wrapped to a width in a font (its own line breaks kept, trailing
// blank lines dropped), and the height of a line of that font.
QStringList wrapped(const QString& text, const QFont& font, double width);
double lineHeight(const QFont& font);

// Draws inside one band: every place is from the band's top left. A band taller than a page is
// drawn a slice at a time: the painter then draws only what begins within the slice, and cuts
// boxes at its edges. Measuring (no painter) draws nothing and
// notes where each line of text, picture and small box lies, so that slices end between them.
class BandPainter {
public:
    BandPainter(QPainter& painter, QPointF origin, double width);

    double width() const { return width_; }
    // A line of text whose top is at y.
    void text(double x, double y, const QString& text, const QFont& font);
    // A text right-aligned so that it ends at x.
    void textRight(double right, double y, const QString& words, const QFont& font);
    // Lines one under another from y; answers the height they took.
    double lines(double x, double y, const QStringList& lines, const QFont& font);
    void rule(double y, double x1 = 0, double x2 = -1);
    void box(const QRectF& box, const QColor& fill, bool outline = true);
    void image(const QRectF& box, const QImage& image);
    // A check box, marked or not, with its text after it.
    void check(double x, double y, bool marked, const QString& text, const QFont& font);

    // From the band's top to the bottom of something that must not be cut, for each such thing.
    struct Span {
        double top;
        double bottom;
    };
    static std::vector<Span> measure(const std::function<void(BandPainter&)>& draw, double width);
    // Draws only what begins from `from` down to before `to` (places still from the band's top,
    // which the origin puts where the caller wants it).
    BandPainter(QPainter& painter, QPointF origin, double width, double from, double to);

private:
    explicit BandPainter(double width, std::vector<Span>& spans);
    // Whether something from top to bottom is drawn in this slice (noting it when measuring).
    bool shows(double top, double bottom, bool whole = true);
    QPointF at(double x, double y) const { return origin_ + QPointF(x, y); }

    QPainter* painter_;
    // The page's own engine, which records texts without the painter's glyphs.
    views::MetafileEngine* page_ = nullptr;
    QPointF origin_;
    double width_;
    double from_;
    double to_;
    std::vector<Span>* spans_ = nullptr;
};

// One band: its height and how it is drawn.
struct Band {
    double height = 0;
    std::function<void(BandPainter&)> draw;
};

class ReportLayout : public views::ReportBands {
public:
    enum class Orientation { Portrait, Landscape };

    explicit ReportLayout(Orientation orientation = Orientation::Portrait);
    ~ReportLayout() override;

    int pageCount() const override;
    // Prints the group footer after the last detail and ends the last page.
    std::vector<views::ReportPage> closePages() override;

    // How many detail bands the report printed: the counts of the group footers.
    std::int64_t detailsPrinted() const { return details_; }

protected:
    // The page header of every page, from the page's top; answers where it ends. The common
    // top (pictures and title) comes from header().
    virtual double pageHeader(BandPainter& band) = 0;
    virtual double pageFooterHeight() const { return 0; }
    virtual void pageFooter(BandPainter&, int /*pageNumber*/) { }
    // Printed once before the first detail and once after the last.
    virtual std::optional<Band> groupHeader() { return std::nullopt; }
    virtual std::optional<Band> groupFooter() { return std::nullopt; }

    // The report's detail: what detail() prints for the record.
    virtual void printDetail(const data::Record& record) = 0;
    // A detail band (counted) and any other band.
    void printDetailBand(const Band& band);
    void print(const Band& band);

    // The pictures, the title (each line in capitals) and a date stamp at the top right when
    // given; answers where the selection lines start.
    double header(BandPainter& band, const QStringList& title, const QString& dateStamp = {});
    // The bar across the top and the title picture under it, at the top left.
    static void headerPictures(BandPainter& band);
    double bandWidth() const { return width_; }

private:
    void detail(const data::Record& record) final;
    void openPage();
    void endPage();
    // Draws the band's part from `from` to `to` where the page has come to.
    void drawSlice(const Band& band, double from, double to);
    // Prints a band taller than a page, cut between its lines onto as many pages as it takes.
    void printAcrossPages(const Band& band, double floor);

    Orientation orientation_;
    double left_;
    double width_;
    double bottom_;
    std::vector<views::ReportPage> pages_;
    std::unique_ptr<views::ReportPage> page_;
    std::unique_ptr<QPainter> painter_;
    double y_ = 0;
    // Where a page's first band starts, under its header.
    double bodyTop_ = 0;
    std::int64_t details_ = 0;
    bool groupOpen_ = false;
};

} // namespace nidora::reports
