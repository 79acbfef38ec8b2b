#include "reports/ScreenPreviewer.h"

#include "reports/PageNumbering.h"
#include "reports/PagePrinting.h"
#include "reports/PreviewWindow.h"

#include <utility>

namespace nidora::reports {

namespace {

views::ReportPreviewer*& replacement()
{
    static views::ReportPreviewer* current = nullptr;
    return current;
}

// Hands the pages on to the previewer a test put in the screen's place.
class Forwarding final : public views::ReportPreviewer {
public:
    explicit Forwarding(views::ReportPreviewer& target)
        : target_(target)
    {
    }
    Response preview(std::vector<views::ReportPage> pages, const views::PreviewOptions& options) override
    {
        return target_.preview(std::move(pages), options);
    }

private:
    views::ReportPreviewer& target_;
};

} // namespace

Response ScreenPreviewer::preview(std::vector<views::ReportPage> pages, const views::PreviewOptions& options)
{
    if (!previewed_) {
        previewed_ = true;
        PreviewWindow window(std::move(pages), options, printOptions_);
        return Response(window.run());
    }
    numberPages(pages);
    PrintOptions all = printOptions_;
    all.choice = PageChoice {};
    printOnProgramPrinter(
        nullptr, pages, printOrder(std::vector<bool>(pages.size(), false), all), options.title.left(50));
    return Completed;
}

std::unique_ptr<views::ReportPreviewer> screenPreviewer()
{
    if (views::ReportPreviewer* test = replacement())
        return std::make_unique<Forwarding>(*test);
    return std::make_unique<ScreenPreviewer>();
}

PreviewerOverride::PreviewerOverride(views::ReportPreviewer& replacementPreviewer)
    : previous_(std::exchange(replacement(), &replacementPreviewer))
{
}

PreviewerOverride::~PreviewerOverride()
{
    replacement() = previous_;
}

} // namespace nidora::reports
