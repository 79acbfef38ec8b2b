#include "reports/PageNumbering.h"

namespace nidora::reports {

QByteArray pageNumberText(int page, int total)
{
    const QByteArray text = "Page " + QByteArray::number(page) + " of " + QByteArray::number(total);
    if (text.size() >= kPlaceholderLength)
        return text.left(kPlaceholderLength);
    const qsizetype before = (kPlaceholderLength - text.size()) / 2;
    return QByteArray(before, ' ') + text + QByteArray(kPlaceholderLength - before - text.size(), ' ');
}

bool numberPage(QByteArray& metafile, int page, int total)
{
    // Only the page's first placeholder is replaced, wherever it lies in the bytes (across a
    // boundary of the blocks a reader might take them in, too).
    const qsizetype at = metafile.indexOf(kPagePlaceholder);
    if (at < 0)
        return false;
    metafile.replace(at, kPlaceholderLength, pageNumberText(page, total));
    return true;
}

void numberPages(std::vector<views::ReportPage>& pages)
{
    const int total = int(pages.size());
    for (int n = 1; n <= total; ++n) {
        views::ReportPage& page = pages[std::size_t(n - 1)];
        QByteArray bytes = page.records();
        if (numberPage(bytes, n, total))
            page.setRecords(bytes);
    }
}

} // namespace nidora::reports
