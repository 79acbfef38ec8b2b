#pragma once

#include "framework/Window.h"
#include "reports/PageChoice.h"
#include "reports/PageRangeControls.h"

#include <optional>

namespace nidora::framework {
class ButtonControl;
class EntryControl;
} // namespace nidora::framework

// "Save All Pages to File...": which pages, and the text file they are written to.
namespace nidora::reports {

struct SaveChoice {
    PageChoice pages {};
    QString file;
};

class SaveAllWindow final : public framework::Window {
public:
    SaveAllWindow(int pageCount, bool anyMarked, const QString& file);

    std::optional<SaveChoice> ask();

protected:
    int onAccepted(framework::Control& control) override;

private:
    SaveChoice choice_;
    std::optional<PageRangeControls> range_;
    framework::EntryControl* file_;
    framework::ButtonControl* browse_;
    framework::ButtonControl* ok_;
    framework::ButtonControl* cancel_;
};

} // namespace nidora::reports
