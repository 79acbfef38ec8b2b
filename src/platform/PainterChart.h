#pragma once

#include "platform/Chart.h"

#include <QPointer>

class QImage;
class QPagedPaintDevice;

// The chart drawn with QPainter in a widget of its own, placed in the window it was made in.
// It writes itself to JPEG files and to the clipboard as pictures drawn afresh at their size,
// and prints on the program's printer (PagePrinter.h) fitted to the page.
namespace nidora::platform {

namespace chart {
class ChartWidget;
}

class PainterChart final : public CollectingChart {
public:
    PainterChart();
    ~PainterChart() override;

    void create(QWidget* parent, const chart::Frame& frame) override;
    void draw() override;
    void reset() override;
    bool saveJpeg(const QString& file, QSize size, int quality) override;
    void print(QWidget* parent, PrintCompletion done) override;
    bool copyToClipboard() override;

    // The chart as drawn at that size; a null picture when there is no chart or no size.
    QImage picture(QSize size) const;
    // Draws a chart over one page of the device, as large as it fits keeping its shape; false
    // when the device could not be drawn on.
    static bool paintPage(QPagedPaintDevice& device, const chart::Content& content);
    // The widget that shows it, while made.
    QWidget* widget() const;

private:
    QPointer<chart::ChartWidget> widget_;
};

} // namespace nidora::platform
