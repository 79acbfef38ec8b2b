#pragma once

#include "platform/PlatformService.h"

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QPrintDialog;
class QWidget;

namespace nidora::platform {

// Sets up the printer the program prints on (which printer, paper, orientation), as the frame's
// printer command does. The report previewer prints on the same printer.
class PrinterSetup {
public:
    // Receives true when the user confirmed the set-up, false when he cancelled it.
    using Completion = std::function<void(bool accepted)>;

    virtual ~PrinterSetup() = default;

    // Shows the set-up over parent and returns at once without a nested event loop; done runs
    // exactly once, later, when the user has answered.
    virtual void setUp(QWidget* parent, Completion done) = 0;
    // The same under a title of the caller's ("Select A Printer").
    virtual void setUp(QWidget* parent, const QString& title, Completion done) = 0;

    // The program's printer, as last set up.
    virtual QPrinter& printer() = 0;
};

// The toolkit's print dialog on the program's one printer, shown without modality for the
// reason DialogFolderChooser gives. A request while the dialog is shown raises it, and every
// caller waiting on it gets its answer.
class DialogPrinterSetup final : public PrinterSetup {
public:
    DialogPrinterSetup();
    ~DialogPrinterSetup() override;

    void setUp(QWidget* parent, Completion done) override;
    void setUp(QWidget* parent, const QString& title, Completion done) override;

    // Made on first use.
    QPrinter& printer() override;
    // The dialog now shown, or null.
    QPrintDialog* shownDialog() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

using PrinterSetupService = PlatformService<PrinterSetup, DialogPrinterSetup>;

} // namespace nidora::platform
