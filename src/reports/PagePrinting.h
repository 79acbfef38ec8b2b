#pragma once

#include "views/ReportPage.h"

#include <QString>

#include <vector>

class QPrinter;
class QWidget;

// Sending report pages to the printer as one print job.
namespace nidora::reports {

// True when the printer is no real printer (none is installed, or none was chosen): the job then
// goes to a PDF file the user names.
bool printsToFile(const QPrinter& printer);

// Prints the pages by number (from 1, repeats and order as given) as one job named after the
// title, each page at its size in inches from the paper's corner, in the orientation of the
// first page; the printer's own copy count is 1, the copies being in the list. False when the
// printer could not take the job or there is nothing to print.
bool printPages(QPrinter& printer, const std::vector<views::ReportPage>& pages, const std::vector<int>& order,
    const QString& title);

// Prints on the program's printer (platform::PrinterSetup), on the calling logical thread: where
// there is no real printer, first asks over parent for the PDF file to print into (nothing is
// printed when the user names none). A job the printer refuses is reported. True when printed.
bool printOnProgramPrinter(QWidget* parent, const std::vector<views::ReportPage>& pages,
    const std::vector<int>& order, const QString& title);

} // namespace nidora::reports
