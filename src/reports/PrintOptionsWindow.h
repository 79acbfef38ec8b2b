#pragma once

#include "reports/AnswerWindow.h"
#include "reports/PageChoice.h"
#include "reports/PageRangeControls.h"

#include <optional>

namespace nidora::framework {
class ButtonControl;
class StringControl;
} // namespace nidora::framework

// "Print Options": which pages, how many copies and whether collated, whether the printer
// delivers its pages face up, and which printer. OK answers the options; Cancel nothing.
namespace nidora::reports {

class PrintOptionsWindow final : public AnswerWindow {
public:
    PrintOptionsWindow(int pageCount, bool anyMarked, const PrintOptions& start);

    std::optional<PrintOptions> ask();

protected:
    bool takeAnswer() override;
    int onOtherAccepted(framework::Control& control) override;

private:
    void showPrinter();

    PrintOptions options_;
    int collate_;
    int faceUp_;
    std::optional<PageRangeControls> range_;
    framework::Control* copies_;
    framework::Control* collateBox_;
    framework::Control* faceUpBox_;
    framework::StringControl* printerName_;
    framework::ButtonControl* selectPrinter_;
};

// The printer's name as the options show it.
QString printerDescription();

} // namespace nidora::reports
