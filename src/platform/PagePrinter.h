#pragma once

#include "platform/PlatformService.h"

#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace nidora::platform {

// Prints one page, drawn by the caller, on the program's printer once the user has confirmed
// the print dialog, as the chart viewers print their charts.
enum class PrintOutcome { Printed, Cancelled, Failed };

class PagePrinter {
public:
    // Draws the page; false when the device could not be drawn on (no printer to print on).
    using PagePainter = std::function<bool(QPagedPaintDevice& page)>;
    using Completion = std::function<void(PrintOutcome outcome)>;

    virtual ~PagePrinter() = default;

    // Shows the print dialog over parent and returns at once without a nested event loop;
    // paint and then done run later, once, when the user has answered.
    virtual void print(QWidget* parent, PagePainter paint, Completion done) = 0;
};

// Through the printer set-up's dialog (PrinterSetup.h), on the printer it sets up.
class DialogPagePrinter final : public PagePrinter {
public:
    void print(QWidget* parent, PagePainter paint, Completion done) override;
};

using PagePrinterService = PlatformService<PagePrinter, DialogPagePrinter>;

} // namespace nidora::platform
