#pragma once

#include "reports/AnswerWindow.h"
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

class SaveAllWindow final : public AnswerWindow {
public:
    SaveAllWindow(int pageCount, bool anyMarked, const QString& file);

    std::optional<SaveChoice> ask();

protected:
    bool takeAnswer() override;
    int onOtherAccepted(framework::Control& control) override;

private:
    SaveChoice choice_;
    std::optional<PageRangeControls> range_;
    framework::EntryControl* file_;
    framework::ButtonControl* browse_;
};

} // namespace nidora::reports
