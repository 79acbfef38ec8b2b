#include "reports/PagePrinting.h"

#include "framework/Await.h"
#include "framework/MessageBoxes.h"
#include "platform/FileChooser.h"
#include "platform/PrinterSetup.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace nidora::reports {

bool printsToFile(const QPrinter& printer)
{
    // A file the user named in the printer's set-up is printed into as it stands.
    if (!printer.outputFileName().isEmpty())
        return false;
    return printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty()
        || !printer.isValid();
}

bool printPages(QPrinter& printer, const std::vector<views::ReportPage>& pages, const std::vector<int>& order,
    const QString& title)
{
    if (order.empty())
        return false;
    const views::ReportPage& first = pages.at(std::size_t(order.front() - 1));
    printer.setDocName(title.isEmpty() ? QStringLiteral("Report") : title);
    printer.setCopyCount(1);
    printer.setCollateCopies(false);
    printer.setFullPage(true);
    printer.setPageOrientation(first.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHints(
        QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    bool firstPage = true;
    for (const int number : order) {
        if (!firstPage && !printer.newPage())
            return false;
        firstPage = false;
        const views::ReportPage& page = pages.at(std::size_t(number - 1));
        const QSizeF inches = QSizeF(page.size()) / views::ReportPage::kUnitsPerInch;
        page.draw(painter,
            QRectF(0, 0, inches.width() * printer.logicalDpiX(), inches.height() * printer.logicalDpiY()));
    }
    return painter.end();
}

bool printOnProgramPrinter(QWidget* parent, const std::vector<views::ReportPage>& pages,
    const std::vector<int>& order, const QString& title)
{
    QPrinter& printer = platform::PrinterSetupService::current().printer();
    const bool toFile = printsToFile(printer);
    if (toFile) {
        const QString proposed = (title.trimmed().isEmpty() ? QStringLiteral("Informe") : title.trimmed())
            + QStringLiteral(".pdf");
        const auto chosen = framework::awaitAnswer<QString>([&](std::function<void(QString)> done) {
            platform::SaveFileChooserService::current().choose(parent,
                QStringLiteral("Imprimir en un archivo PDF"),
                { { QStringLiteral("PDF"), { QStringLiteral("*.pdf") } } }, proposed, std::move(done));
        });
        if (!chosen || chosen->trimmed().isEmpty())
            return false;
        QString file = chosen->trimmed();
        if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            file += QStringLiteral(".pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
    const bool printed = printPages(printer, pages, order, title);
    // The file was for this job only: the next one asks again.
    if (toFile)
        printer.setOutputFileName(QString());
    if (!printed)
        framework::showMessage(QStringLiteral("No se pudo imprimir el informe."));
    return printed;
}

} // namespace nidora::reports
