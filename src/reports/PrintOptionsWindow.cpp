#include "reports/PrintOptionsWindow.h"

#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"
#include "platform/PrinterSetup.h"
#include "reports/PagePrinting.h"

#include <QPrinter>

namespace nidora::reports {

using framework::DialogRect;
using framework::handled::EndLoop;
using framework::handled::GoOn;

QString printerDescription()
{
    const QPrinter& printer = platform::PrinterSetupService::current().printer();
    if (printsToFile(printer))
        return QStringLiteral("(ninguna: se imprime en un archivo PDF)");
    return printer.printerName();
}

PrintOptionsWindow::PrintOptionsWindow(int pageCount, bool anyMarked, const PrintOptions& start)
    : Window(QStringLiteral("ReportPreview:PrintOptions"))
    , options_(start)
    , collate_(start.collate ? 1 : 0)
    , faceUp_(start.faceUp ? 1 : 0)
{
    setCaption(QStringLiteral("Print Options"));
    setSize(250, 150);
    setCentred();
    options_.choice.range = PageRange::All;
    range_.emplace(*this, 6, 4, QStringLiteral("Print Ranges"),
        PageRangeTips { QStringLiteral("Print All Pages"), QStringLiteral("Print Marked Pages Only"),
            QStringLiteral("Print Unmarked Pages Only"), QStringLiteral("Print A Range Of Pages"),
            QStringLiteral("Select Starting Page"), QStringLiteral("Select Ending Page") },
        options_.choice, pageCount, anyMarked);

    add<framework::PromptControl>(
        QStringLiteral("?CopiesGroup"), DialogRect { 6, 72, 120, 10 }, QStringLiteral("Copies / Collate"));
    add<framework::PromptControl>(
        QStringLiteral("?CopiesPrompt"), DialogRect { 12, 86, 30, 10 }, QStringLiteral("Copies:"));
    options_.copies = std::clamp(options_.copies, 1, 100);
    copies_ = &add<framework::SpinControl>(QStringLiteral("?PRINTCOPIES"), DialogRect { 44, 84, 36, 12 },
        framework::bindTo(options_.copies), 1, 100);
    copies_->setTip(QStringLiteral("Select Number Of Copies"));
    collateBox_ = &add<framework::CheckControl>(QStringLiteral("?PRINTCOLLATE"),
        DialogRect { 86, 85, 50, 10 }, QStringLiteral("Collate"), framework::bindTo(collate_), 1, 0);
    collateBox_->setTip(QStringLiteral("Collate Report Copies"));
    faceUpBox_
        = &add<framework::CheckControl>(QStringLiteral("?EJECTPAGEUPDOWN"), DialogRect { 6, 102, 140, 10 },
            QStringLiteral("Printer Ejects Page Face Up"), framework::bindTo(faceUp_), 1, 0);

    add<framework::PromptControl>(
        QStringLiteral("?PrinterPrompt"), DialogRect { 6, 116, 60, 10 }, QStringLiteral("Current Printer:"));
    printerName_ = &add<framework::StringControl>(
        QStringLiteral("?PrinterName"), DialogRect { 66, 116, 180, 10 }, QString());
    selectPrinter_ = &add<framework::ButtonControl>(
        QStringLiteral("?SelectPrinter"), DialogRect { 6, 130, 70, 14 }, QStringLiteral("Select A Printer"));

    ok_ = &add<framework::ButtonControl>(
        QStringLiteral("?OkButton"), DialogRect { 140, 130, 50, 14 }, QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = &add<framework::ButtonControl>(
        QStringLiteral("?CancelButton"), DialogRect { 194, 130, 50, 14 }, QStringLiteral("Cancel"));
    showPrinter();
}

void PrintOptionsWindow::showPrinter()
{
    printerName_->setText(printerDescription());
}

std::optional<PrintOptions> PrintOptionsWindow::ask()
{
    if (run() != Completed)
        return std::nullopt;
    return options_;
}

int PrintOptionsWindow::onAccepted(framework::Control& control)
{
    if (&control == selectPrinter_) {
        framework::awaitAnswer<bool>([this](std::function<void(bool)> done) {
            platform::PrinterSetupService::current().setUp(
                widget(), QStringLiteral("Select A Printer"), std::move(done));
        });
        showPrinter();
        return GoOn;
    }
    if (&control == cancel_) {
        setResponse(Cancelled);
        return EndLoop;
    }
    if (&control == ok_) {
        range_->commit();
        copies_->commit();
        collateBox_->commit();
        faceUpBox_->commit();
        options_.copies = std::clamp(options_.copies, 1, 100);
        options_.collate = collate_ == 1;
        options_.faceUp = faceUp_ == 1;
        setResponse(Completed);
        return EndLoop;
    }
    range_->update();
    return GoOn;
}

} // namespace nidora::reports
