#pragma once

#include "platform/ChartContent.h"
#include "platform/PagePrinter.h"
#include "platform/PlatformService.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

// The chart drawing the viewers use: a chart is made inside a window at a place, is handed its
// pieces one by one, is drawn, and can be written to a JPEG file, printed or copied to the
// clipboard. reset() takes it away so it can be made again (at a new size, from new data).
//
//   auto chart = platform::ChartService::current().make();
//   chart->create(window, { QRect(4, 34, 682, 380), 0xFACE87 });
//   chart->addCaption({ "PESO - Primer Año" });
//   chart->addLineSeries({ xs, ys, 0xFF901E, 71, 2, 21 });
//   chart->draw();
//   chart->saveJpeg("PESO - Primer Año.jpg", QSize(682, 380), 100);
namespace nidora::platform {

class Chart {
public:
    using PrintCompletion = std::function<void(PrintOutcome outcome)>;

    virtual ~Chart() = default;

    // The pieces. Every one is kept until reset(); the latest of a kind that a chart has only
    // one of (region, caption, grid, label axis, zoom) replaces the one before.
    virtual void create(QWidget* parent, const chart::Frame& frame) = 0;
    virtual void addRegion(const chart::Region& region) = 0;
    virtual void addCaption(const chart::Caption& caption) = 0;
    virtual void addGrid(const chart::Grid& grid) = 0;
    virtual void addAxis(const chart::Axis& axis) = 0;
    virtual void addLabelAxis(const chart::LabelAxis& axis) = 0;
    virtual void addBarSeries(const chart::BarSeries& series) = 0;
    virtual void addLineSeries(const chart::LineSeries& series) = 0;
    virtual void addPieSeries(const chart::PieSeries& series) = 0;
    virtual void addLegend(const chart::Legend& legend) = 0;
    virtual void addText(const chart::TextBox& text) = 0;
    virtual void setZoom(const chart::Zoom& zoom) = 0;

    // Shows what was handed over in the parent window.
    virtual void draw() = 0;
    // Removes the chart from its window and forgets its pieces.
    virtual void reset() = 0;

    // The chart drawn at that size into a JPEG file of that name (quality 0 to 100); false when
    // the file could not be written, or there is no chart to write.
    virtual bool saveJpeg(const QString& file, QSize size, int quality) = 0;
    // Prints the chart after the user confirmed the print dialog, shown over parent; returns at
    // once, and done runs exactly once, later.
    virtual void print(QWidget* parent, PrintCompletion done) = 0;
    // False when there was no chart to copy.
    virtual bool copyToClipboard() = 0;
};

// The common part of every chart: it keeps the pieces in a Content, and tells noted() of each
// call by name ("create", "addAxis", ..., "reset") as it comes.
class CollectingChart : public Chart {
public:
    void create(QWidget* parent, const chart::Frame& frame) override;
    void addRegion(const chart::Region& region) override;
    void addCaption(const chart::Caption& caption) override;
    void addGrid(const chart::Grid& grid) override;
    void addAxis(const chart::Axis& axis) override;
    void addLabelAxis(const chart::LabelAxis& axis) override;
    void addBarSeries(const chart::BarSeries& series) override;
    void addLineSeries(const chart::LineSeries& series) override;
    void addPieSeries(const chart::PieSeries& series) override;
    void addLegend(const chart::Legend& legend) override;
    void addText(const chart::TextBox& text) override;
    void setZoom(const chart::Zoom& zoom) override;
    void reset() override;

    const chart::Content& content() const { return content_; }

protected:
    virtual void noted(const char* call) { (void)call; }
    QWidget* parent() const { return parent_; }

private:
    chart::Content content_;
    QWidget* parent_ = nullptr;
};

// Makes the charts; the desktop's draws them with QPainter (PainterChart.h).
class ChartMaker {
public:
    virtual ~ChartMaker() = default;
    virtual std::unique_ptr<Chart> make() = 0;
};

class PainterChartMaker final : public ChartMaker {
public:
    std::unique_ptr<Chart> make() override;
};

using ChartService = PlatformService<ChartMaker, PainterChartMaker>;

} // namespace nidora::platform
