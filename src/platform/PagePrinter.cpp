#include "platform/PagePrinter.h"

#include "platform/PrinterSetup.h"

#include <QPrinter>

#include <utility>

namespace nidora::platform {

void DialogPagePrinter::print(QWidget* parent, PagePainter paint, Completion done)
{
    PrinterSetupService::current().setUp(
        parent, [paint = std::move(paint), done = std::move(done)](bool accepted) {
            if (!accepted) {
                done(PrintOutcome::Cancelled);
                return;
            }
            done(paint(programPrinter()) ? PrintOutcome::Printed : PrintOutcome::Failed);
        });
}

} // namespace nidora::platform
