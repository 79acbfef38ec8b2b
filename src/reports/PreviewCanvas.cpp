#include "reports/PreviewCanvas.h"

#include "reports/PreviewState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace nidora::reports {

namespace {

// Space around the zoomed page.
constexpr int kMargin = 8;
// Pages kept drawn: a full grid of thumbnails and a few zoomed pages.
constexpr std::size_t kKeptPictures = 128;
// The arrow keys' steps of the scroll position.
constexpr int kUpDownStep = 51;
constexpr int kSideStep = 52;

} // namespace

PreviewCanvasWidget::PreviewCanvasWidget(const PreviewState& state)
    : state_(state)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    viewport()->setAutoFillBackground(false);
}

QSize PreviewCanvasWidget::naturalSize() const
{
    if (state_.pageCount() == 0)
        return {};
    const QSize page = state_.page(state_.current()).size();
    return QSize(page.width() * logicalDpiX() / views::ReportPage::kUnitsPerInch,
        page.height() * logicalDpiY() / views::ReportPage::kUnitsPerInch);
}

QSize PreviewCanvasWidget::zoomedSize() const
{
    const QSize natural = naturalSize();
    if (natural.isEmpty())
        return {};
    double factor = state_.zoomFactor();
    if (factor == kPageWidthZoom)
        factor = double(std::max(1, viewport()->width() - 2 * kMargin)) / natural.width();
    return QSize(std::max(1, int(natural.width() * factor)), std::max(1, int(natural.height() * factor)));
}

QRect PreviewCanvasWidget::thumbnailCell(const QSize& area, int across, int down, int index)
{
    // 3 pixels between cells and 1 of margin.
    const int width = std::max(1, (area.width() - (3 * across + 2)) / across);
    const int height = std::max(1, (area.height() - (3 * down + 2)) / down);
    const int column = index % across;
    const int row = index / across;
    return QRect(2 + column * (width + 3), 2 + row * (height + 3), width, height);
}

QRect PreviewCanvasWidget::fitted(const QRect& cell, const QSize& page)
{
    if (page.isEmpty())
        return cell;
    const QSize size = page.scaled(cell.size(), Qt::KeepAspectRatio);
    return QRect(cell.x() + (cell.width() - size.width()) / 2, cell.y() + (cell.height() - size.height()) / 2,
        std::max(1, size.width()), std::max(1, size.height()));
}

void PreviewCanvasWidget::refresh()
{
    layOut();
    viewport()->update();
}

void PreviewCanvasWidget::forgetPictures()
{
    kept_.clear();
}

void PreviewCanvasWidget::layOut()
{
    thumbnails_.clear();
    if (state_.showsThumbnails()) {
        horizontalScrollBar()->setRange(0, 0);
        verticalScrollBar()->setRange(0, 0);
        const int shown = state_.thumbnailsShown();
        for (int i = 0; i < shown; ++i) {
            const int number = state_.current() + i;
            const QRect cell = thumbnailCell(viewport()->size(), state_.across(), state_.down(), i);
            thumbnails_.emplace_back(number, fitted(cell, state_.page(number).size()));
        }
        return;
    }
    const QSize page = zoomedSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, page.width() + 2 * kMargin - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, page.height() + 2 * kMargin - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
}

const QPixmap& PreviewCanvasWidget::picture(int number, const QSize& size)
{
    const views::ReportPage& page = state_.page(number);
    const void* bytes = page.records().constData();
    for (const Kept& kept : kept_)
        if (kept.bytes == bytes && kept.size == size)
            return kept.picture;
    if (kept_.size() >= kKeptPictures)
        kept_.erase(kept_.begin());
    QPixmap drawn(size);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    page.draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    kept_.push_back(Kept { bytes, size, std::move(drawn) });
    return kept_.back().picture;
}

void PreviewCanvasWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().dark());
    if (state_.pageCount() == 0)
        return;
    if (state_.showsThumbnails()) {
        for (const auto& [number, place] : thumbnails_) {
            painter.drawPixmap(place.topLeft(), picture(number, place.size()));
            // A white box frames each page.
            painter.setPen(QPen(Qt::white, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(place.adjusted(-1, -1, 0, 0));
        }
        return;
    }
    const QSize size = zoomedSize();
    const int x
        = std::max(kMargin, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const int y
        = std::max(kMargin, (viewport()->height() - size.height()) / 2) - verticalScrollBar()->value();
    painter.drawPixmap(x, y, picture(state_.current(), size));
}

void PreviewCanvasWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layOut();
}

void PreviewCanvasWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !clicked)
        return;
    if (!state_.showsThumbnails()) {
        clicked(canvas::PageClicked, state_.current());
        return;
    }
    for (const auto& [number, place] : thumbnails_)
        if (place.contains(event->position().toPoint())) {
            clicked(canvas::ThumbnailClicked, number);
            return;
        }
}

void PreviewCanvasWidget::keyPressEvent(QKeyEvent* event)
{
    const auto scroll = [](QScrollBar* bar, int by) { bar->setValue(bar->value() + by); };
    switch (event->key()) {
    case Qt::Key_Up:
        scroll(verticalScrollBar(), -kUpDownStep);
        break;
    case Qt::Key_Down:
        scroll(verticalScrollBar(), kUpDownStep);
        break;
    case Qt::Key_Left:
        scroll(horizontalScrollBar(), -kSideStep);
        break;
    case Qt::Key_Right:
        scroll(horizontalScrollBar(), kSideStep);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    viewport()->update();
}

PreviewCanvasControl::PreviewCanvasControl(const PreviewState& state)
    : Control(framework::ControlKind::Image, new PreviewCanvasWidget(state))
    , canvas_(static_cast<PreviewCanvasWidget*>(widget()))
{
    canvas_->clicked = [this](int code, int value) { post(code, value); };
}

} // namespace nidora::reports
