#pragma once

#include "reports/PageChoice.h"

#include <QString>

namespace nidora::framework {
class OptionControl;
class RadioControl;
class SpinControl;
class Window;
} // namespace nidora::framework

// The page range group that the print options and the save-all window share: "All Pages",
// "Marked Pages Only", "Unmarked Pages Only" and "Range of Pages" with its "From:" and "To:",
// bound to a PageChoice. The marked and unmarked choices can be taken only while a page is
// marked, and the range's numbers edited only while the range is chosen.
namespace nidora::reports {

struct PageRangeTips {
    QString all {}, marked {}, unmarked {}, range {}, from {}, to {};
};

class PageRangeControls {
public:
    // Adds the group at (x, y), 120 by 64 dialog units, to a window being described.
    PageRangeControls(framework::Window& window, int x, int y, const QString& title,
        const PageRangeTips& tips, PageChoice& choice, int pageCount, bool anyMarked);

    // After the user took one of the group's controls: the enable rules again.
    void update();
    // Takes the shown values into the choice.
    void commit();

private:
    framework::OptionControl* group_;
    framework::RadioControl* marked_;
    framework::RadioControl* unmarked_;
    framework::SpinControl* from_;
    framework::SpinControl* to_;
    PageChoice& choice_;
    int rangeValue_;
    bool anyMarked_;
};

} // namespace nidora::reports
