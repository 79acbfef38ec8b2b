#pragma once

#include "framework/Window.h"
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

class PrintOptionsWindow final : public framework::Window {
public:
    PrintOptionsWindow(int pageCount, bool anyMarked, const PrintOptions& start);

    std::optional<PrintOptions> ask();

protected:
    int onAccepted(framework::Control& control) override;

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
    framework::ButtonControl* ok_;
    framework::ButtonControl* cancel_;
};

// The printer's name as the options show it.
QString printerDescription();

} // namespace nidora::reports
