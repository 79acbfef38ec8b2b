#pragma once

#include "reports/PageChoice.h"
#include "views/ReportPass.h"

#include <memory>

// The previewer every report hands its pages to. A report procedure makes one for its run:
//
//   const auto previewer = reports::screenPreviewer();
//   return views::runReport({ ..., .bands = bands, .previewer = *previewer });
//
// The first hand-over shows the preview window; a later one within the same run prints the
// pages at once, numbered, with the copies and page order of the print options last chosen.
namespace nidora::reports {

class ScreenPreviewer final : public views::ReportPreviewer {
public:
    Response preview(std::vector<views::ReportPage> pages, const views::PreviewOptions& options) override;

private:
    bool previewed_ = false;
    PrintOptions printOptions_ {};
};

// A previewer for one report run: the screen's, or the one a test put in its place.
std::unique_ptr<views::ReportPreviewer> screenPreviewer();

// Puts a previewer in the screen's place until destroyed, for tests of the reports; overrides
// nest.
class PreviewerOverride {
public:
    explicit PreviewerOverride(views::ReportPreviewer& replacement);
    ~PreviewerOverride();
    PreviewerOverride(const PreviewerOverride&) = delete;
    PreviewerOverride& operator=(const PreviewerOverride&) = delete;

private:
    views::ReportPreviewer* previous_;
};

} // namespace nidora::reports
