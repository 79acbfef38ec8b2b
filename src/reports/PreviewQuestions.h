#pragma once

#include "framework/Window.h"

#include <optional>
#include <utility>
#include <vector>

// The preview's two small questions, each a few numbers in spin boxes with OK (and Cancel):
// the page to jump to ("Jump to a Report Page") and the thumbnail grid ("Change the Report
// Display"). Each runs on the caller's logical thread like a form.
namespace nidora::reports {

struct NumberField {
    const char* name;
    const char* prompt;
    int value;
    int lowest;
    int highest;
};

class NumberQuestionWindow final : public framework::Window {
public:
    NumberQuestionWindow(const QString& caption, const QString& title, std::vector<NumberField> fields,
        const QString& okTip, bool withCancel, const QString& cancelTip = {});

    // The numbers as the user left them, or nothing when he cancelled or closed the window.
    std::optional<std::vector<int>> ask();

protected:
    int onAccepted(framework::Control& control) override;

private:
    std::vector<NumberField> fields_;
    std::vector<framework::Control*> spins_;
    framework::Control* ok_;
    framework::Control* cancel_ = nullptr;
};

// The page to show, from 1 to the number of pages, starting at the current page.
std::optional<int> askPageToJumpTo(int current, int pageCount);
// Pages across and down the thumbnail grid, 1 to 10 each.
std::optional<std::pair<int, int>> askThumbnailGrid(int across, int down);

} // namespace nidora::reports
