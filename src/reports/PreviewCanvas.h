#pragma once

#include "framework/Control.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QPixmap>

#include <functional>
#include <vector>

// Where the report preview shows its pages: the current page at its zoom in a scrolling view,
// or a grid of thumbnails from the current page on. Pages are drawn from their records once
// per size and kept as pictures, so scrolling and walking back and forth draw nothing again.
namespace nidora::reports {

class PreviewState;

// Codes of the canvas's events for its window.
namespace canvas {
constexpr int ThumbnailClicked = 1; // the value is the page clicked
constexpr int PageClicked = 2;
} // namespace canvas

class PreviewCanvasWidget final : public QAbstractScrollArea {
public:
    explicit PreviewCanvasWidget(const PreviewState& state);

    // The state changed (page, zoom, grid or pages): lays the view out again.
    void refresh();
    // The pages were changed or deleted: every kept picture goes.
    void forgetPictures();

    // Where thumbnail `index` (from 0) goes in a view of `area`, its page fitted into its cell.
    static QRect thumbnailCell(const QSize& area, int across, int down, int index);
    static QRect fitted(const QRect& cell, const QSize& page);
    // A page's natural size on this screen (the 100% zoom), in pixels.
    QSize naturalSize() const;
    // The zoomed page's size in pixels for the state's zoom.
    QSize zoomedSize() const;
    // The thumbnails now laid out, by page number, in view coordinates.
    const std::vector<std::pair<int, QRect>>& thumbnails() const { return thumbnails_; }

    std::function<void(int code, int value)> clicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QPixmap& picture(int number, const QSize& size);
    void layOut();

    const PreviewState& state_;
    std::vector<std::pair<int, QRect>> thumbnails_;
    // Pages drawn at one size each, by page identity (its bytes) and size.
    struct Kept {
        const void* bytes;
        QSize size;
        QPixmap picture;
    };
    std::vector<Kept> kept_;
};

class PreviewCanvasControl final : public framework::Control {
public:
    explicit PreviewCanvasControl(const PreviewState& state);
    PreviewCanvasWidget& canvas() const { return *canvas_; }

private:
    PreviewCanvasWidget* canvas_;
};

} // namespace nidora::reports
