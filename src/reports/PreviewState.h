#pragma once

#include "views/ReportPage.h"

#include <QString>

#include <vector>

// What the report preview shows and allows, apart from its window: the pages with their marks,
// the page shown (or the first thumbnail), the zoom and the thumbnail grid, and which of the
// preview's commands can be used. Pages are numbered from 1.
namespace nidora::reports {

struct ZoomChoice {
    QString name;
    // The page's natural size times this; "No Zoom" shows thumbnails and "Page Width" fits
    // the page to the window's width.
    double factor;
};
inline constexpr double kThumbnailZoom = 0.0;
inline constexpr double kPageWidthZoom = -1.0;
// "No Zoom", "Page Width", "Zoom (50%)", ... "Zoom (300%)", in list order.
const std::vector<ZoomChoice>& zoomChoices();
inline const QString kNoZoom = QStringLiteral("No Zoom");
inline const QString kPageWidth = QStringLiteral("Page Width");

class PreviewState {
public:
    static constexpr int kMaxGrid = 10;

    explicit PreviewState(std::vector<views::ReportPage> pages);

    int pageCount() const { return int(pages_.size()); }
    int current() const { return current_; }
    const views::ReportPage& page(int number) const { return pages_[std::size_t(number - 1)]; }
    const std::vector<views::ReportPage>& pages() const { return pages_; }

    bool isMarked(int number) const { return marks_[std::size_t(number - 1)]; }
    int markedCount() const;
    const std::vector<bool>& marks() const { return marks_; }
    void toggleMark();

    // A zoom choice's name; an unknown name keeps the zoom as it was.
    void setZoom(const QString& name);
    const QString& zoom() const { return zoom_; }
    double zoomFactor() const;
    bool showsThumbnails() const { return zoomFactor() == kThumbnailZoom; }
    // Pages across and down the thumbnail grid, 1 to 10 each.
    void setGrid(int across, int down);
    int across() const { return across_; }
    int down() const { return down_; }
    // The thumbnails on screen: the grid's cells from the current page on, or 0 when zoomed.
    int thumbnailsShown() const;

    void first();
    void previous();
    void next();
    void last();
    // A page number outside the pages changes nothing.
    void jump(int number);
    bool canGoFirst() const;
    bool canGoPrevious() const;
    bool canGoNext() const;
    bool canGoLast() const;

    // The commands on the current page alone: not while several thumbnails are shown.
    bool singlePageCommands() const { return thumbnailsShown() <= 1; }
    // Deleting needs another page to show afterwards.
    bool canDelete() const { return singlePageCommands() && pageCount() > 1; }
    // Removes the current page and its mark; the page before it is shown, unless it was the
    // first. False, changing nothing, when it cannot be deleted.
    bool deleteCurrent();

private:
    std::vector<views::ReportPage> pages_;
    std::vector<bool> marks_;
    int current_ = 1;
    QString zoom_;
    int across_ = 1;
    int down_ = 1;
};

} // namespace nidora::reports
