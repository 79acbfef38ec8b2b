#include "reports/PageChoice.h"

#include <algorithm>

namespace nidora::reports {

std::vector<int> choosePages(const std::vector<bool>& marks, const PageChoice& choice)
{
    std::vector<int> chosen;
    const int count = int(marks.size());
    for (int page = 1; page <= count; ++page) {
        const bool marked = marks[std::size_t(page - 1)];
        bool take = true;
        switch (choice.range) {
        case PageRange::All:
            break;
        case PageRange::Marked:
            take = marked;
            break;
        case PageRange::Unmarked:
            take = !marked;
            break;
        case PageRange::Range:
            take = page >= choice.from && page <= choice.to;
            break;
        }
        if (take)
            chosen.push_back(page);
    }
    return chosen;
}

std::vector<int> expandCopies(const std::vector<int>& pages, int copies, bool collate)
{
    if (copies <= 1)
        return pages;
    std::vector<int> expanded;
    expanded.reserve(pages.size() * std::size_t(copies));
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            expanded.insert(expanded.end(), pages.begin(), pages.end());
    } else {
        for (const int page : pages)
            expanded.insert(expanded.end(), std::size_t(copies), page);
    }
    return expanded;
}

void reverseForFaceUp(std::vector<int>& pages, bool faceUp)
{
    if (faceUp && pages.size() >= 2)
        std::reverse(pages.begin(), pages.end());
}

std::vector<int> printOrder(const std::vector<bool>& marks, const PrintOptions& options)
{
    std::vector<int> order
        = expandCopies(choosePages(marks, options.choice), options.copies, options.collate);
    reverseForFaceUp(order, options.faceUp);
    return order;
}

} // namespace nidora::reports
