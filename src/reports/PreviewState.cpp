#include "reports/PreviewState.h"

#include <algorithm>

namespace nidora::reports {

const std::vector<ZoomChoice>& zoomChoices()
{
    static const std::vector<ZoomChoice> choices {
        { kNoZoom, kThumbnailZoom },
        { kPageWidth, kPageWidthZoom },
        { QStringLiteral("Zoom (50%)"), 0.5 },
        { QStringLiteral("Zoom (75%)"), 0.75 },
        { QStringLiteral("Zoom (100%)"), 1.0 },
        { QStringLiteral("Zoom (200%)"), 2.0 },
        { QStringLiteral("Zoom (300%)"), 3.0 },
    };
    return choices;
}

PreviewState::PreviewState(std::vector<views::ReportPage> pages)
    : pages_(std::move(pages))
    , marks_(pages_.size(), false)
    , zoom_(QStringLiteral("Zoom (100%)"))
{
}

int PreviewState::markedCount() const
{
    return int(std::count(marks_.begin(), marks_.end(), true));
}

void PreviewState::toggleMark()
{
    if (pageCount() > 0)
        marks_[std::size_t(current_ - 1)] = !marks_[std::size_t(current_ - 1)];
}

void PreviewState::setZoom(const QString& name)
{
    const auto& choices = zoomChoices();
    if (std::any_of(choices.begin(), choices.end(), [&](const ZoomChoice& c) { return c.name == name; }))
        zoom_ = name;
}

double PreviewState::zoomFactor() const
{
    for (const ZoomChoice& choice : zoomChoices())
        if (choice.name == zoom_)
            return choice.factor;
    return 1.0;
}

void PreviewState::setGrid(int across, int down)
{
    across_ = std::clamp(across, 1, kMaxGrid);
    down_ = std::clamp(down, 1, kMaxGrid);
}

int PreviewState::thumbnailsShown() const
{
    if (!showsThumbnails())
        return 0;
    return std::min(across_ * down_, pageCount() - current_ + 1);
}

void PreviewState::first()
{
    current_ = 1;
}

void PreviewState::previous()
{
    const int step = showsThumbnails() ? thumbnailsShown() : 1;
    current_ = std::max(1, current_ - step);
}

void PreviewState::next()
{
    if (!showsThumbnails()) {
        current_ = std::min(pageCount(), current_ + 1);
        return;
    }
    // A grid moves on only while its next cells hold pages.
    if (current_ + thumbnailsShown() <= pageCount())
        current_ += thumbnailsShown();
}

void PreviewState::last()
{
    current_ = std::max(1, pageCount());
}

void PreviewState::jump(int number)
{
    if (number >= 1 && number <= pageCount())
        current_ = number;
}

bool PreviewState::canGoFirst() const
{
    return current_ > 1;
}

bool PreviewState::canGoPrevious() const
{
    return current_ > 1;
}

bool PreviewState::canGoNext() const
{
    return showsThumbnails() ? current_ + thumbnailsShown() <= pageCount() : current_ < pageCount();
}

bool PreviewState::canGoLast() const
{
    return current_ < pageCount();
}

bool PreviewState::deleteCurrent()
{
    if (!canDelete())
        return false;
    pages_.erase(pages_.begin() + (current_ - 1));
    marks_.erase(marks_.begin() + (current_ - 1));
    if (current_ > 1)
        --current_;
    return true;
}

} // namespace nidora::reports
