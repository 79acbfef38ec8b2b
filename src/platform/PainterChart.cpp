#include "platform/PainterChart.h"

#include "platform/ChartPainting.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <utility>

namespace nidora::platform {

namespace chart {

// Shows the content last drawn. On a line chart with a zoom, dragging over the plot draws the
// zoom's rectangle and shows what it covers; a double click shows the whole chart again.
class ChartWidget final : public QWidget {
public:
    explicit ChartWidget(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void show(Content content)
    {
        content_ = std::move(content);
        zoomed_.reset();
        dragging_ = false;
        QWidget::show();
        repaint();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paintChart(painter, content_, size(), zoomed_);
        if (dragging_ && content_.zoom) {
            QColor colour(int(content_.zoom->colour & 0xFF), int((content_.zoom->colour >> 8) & 0xFF),
                int((content_.zoom->colour >> 16) & 0xFF));
            painter.setPen(QPen(colour, 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRect(from_, to_).normalized());
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (!zoomable() || event->button() != Qt::LeftButton)
            return;
        dragging_ = true;
        from_ = to_ = event->position().toPoint();
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!dragging_)
            return;
        to_ = event->position().toPoint();
        update();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (!dragging_)
            return;
        dragging_ = false;
        to_ = event->position().toPoint();
        const QRect plot = layOut(content_, size()).plot;
        const QRect chosen = QRect(from_, to_).normalized().intersected(plot);
        // A click, or a drag too small to show anything, leaves the chart as it is.
        if (chosen.width() >= 4 && chosen.height() >= 4) {
            const View shown = lineView(content_, zoomed_);
            const auto across = [&](int x) {
                return shown.x.min + (shown.x.max - shown.x.min) * (x - plot.left()) / double(plot.width());
            };
            const auto up = [&](int y) {
                return shown.y.min
                    + (shown.y.max - shown.y.min) * (plot.bottom() - y) / double(plot.height());
            };
            zoomed_ = View { { across(chosen.left()), across(chosen.right()), shown.x.ticks },
                { up(chosen.bottom()), up(chosen.top()), shown.y.ticks } };
        }
        update();
    }

    void mouseDoubleClickEvent(QMouseEvent*) override
    {
        zoomed_.reset();
        update();
    }

private:
    bool zoomable() const { return content_.zoom && !content_.lines.empty(); }

    Content content_;
    std::optional<View> zoomed_;
    bool dragging_ = false;
    QPoint from_;
    QPoint to_;
};

} // namespace chart

PainterChart::PainterChart() = default;

PainterChart::~PainterChart()
{
    delete widget_.data();
}

void PainterChart::create(QWidget* parent, const chart::Frame& frame)
{
    delete widget_.data();
    CollectingChart::create(parent, frame);
    if (!parent)
        return;
    widget_ = new chart::ChartWidget(parent);
    widget_->setObjectName(QStringLiteral("chart"));
    widget_->setGeometry(frame.shown.isEmpty() ? frame.place : frame.shown);
    widget_->hide();
}

void PainterChart::draw()
{
    if (widget_)
        widget_->show(content());
}

void PainterChart::reset()
{
    delete widget_.data();
    CollectingChart::reset();
}

QWidget* PainterChart::widget() const
{
    return widget_;
}

QImage PainterChart::picture(QSize size) const
{
    if (!content().frame || size.width() <= 0 || size.height() <= 0)
        return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart::paintChart(painter, content(), size);
    return image;
}

bool PainterChart::saveJpeg(const QString& file, QSize size, int quality)
{
    const QImage image = picture(size);
    if (image.isNull())
        return false;
    QImageWriter writer(file, "jpeg");
    writer.setQuality(quality);
    return writer.write(image);
}

bool PainterChart::paintPage(QPagedPaintDevice& device, const chart::Content& content)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSize size = content.frame ? content.frame->place.size() : QSize();
    if (size.isEmpty())
        return true;
    // The chart keeps its own coordinates, scaled to the page and centred across it.
    const QRect page = painter.viewport();
    const QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(QRect(page.topLeft() + QPoint((page.width() - fitted.width()) / 2, 0), fitted));
    painter.setWindow(QRect(QPoint(0, 0), size));
    chart::paintChart(painter, content, size);
    return true;
}

void PainterChart::print(QWidget* parent, PrintCompletion done)
{
    if (!content().frame) {
        done(PrintOutcome::Failed);
        return;
    }
    // Printed as it was when the user asked, whatever is made in the window meanwhile.
    PagePrinterService::current().print(
        parent, [printed = content()](QPagedPaintDevice& device) { return paintPage(device, printed); },
        std::move(done));
}

bool PainterChart::copyToClipboard()
{
    const QSize size = content().frame ? content().frame->place.size() : QSize();
    const QImage image = picture(size);
    if (image.isNull())
        return false;
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

std::unique_ptr<Chart> PainterChartMaker::make()
{
    return std::make_unique<PainterChart>();
}

} // namespace nidora::platform
