#pragma once

#include "views/ReportPage.h"

#include <QByteArray>

#include <vector>

// Page numbers written into the pages themselves: a layout prints the placeholder
// "Page xxxxx of xxxxx" in its footer, and once the report knows how many pages it has, the
// first placeholder of each page becomes "Page 2 of 3", centred in the placeholder's 19
// characters, so the page's records keep their sizes.
namespace nidora::reports {

inline constexpr char kPagePlaceholder[] = "Page xxxxx of xxxxx";
inline constexpr int kPlaceholderLength = 19;

// The text that takes the placeholder's place: "Page n of total" centred in 19 characters (cut
// to them, for reports beyond 99,999 pages).
QByteArray pageNumberText(int page, int total);

// Replaces the first placeholder in a page's bytes; false when the page has none.
bool numberPage(QByteArray& metafile, int page, int total);

// Numbers every page of the queue against the queue's length.
void numberPages(std::vector<views::ReportPage>& pages);

} // namespace nidora::reports
