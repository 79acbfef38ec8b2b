#pragma once

#include <vector>

// Which pages a print or a save takes, and in what order the printer gets them. Pages are
// numbered from 1, as the user sees them.
namespace nidora::reports {

enum class PageRange { All = 1, Marked = 2, Unmarked = 3, Range = 4 };

struct PageChoice {
    PageRange range = PageRange::All;
    int from = 1;
    int to = 1;
};

// The pages chosen, in page order, from the pages' marks: all, those marked, those not marked,
// or those numbered from..to (none when from comes after to).
std::vector<int> choosePages(const std::vector<bool>& marks, const PageChoice& choice);

// Every page repeated for the copies: collated, the whole run over again for each copy
// (1, 2, 3, 1, 2, 3); not collated, each page its copies before the next (1, 1, 2, 2, 3, 3).
std::vector<int> expandCopies(const std::vector<int>& pages, int copies, bool collate);

// A printer that delivers its pages face up gets the last page first.
void reverseForFaceUp(std::vector<int>& pages, bool faceUp);

// What the printer gets for a print with the options: chosen, copied, then reversed.
struct PrintOptions {
    PageChoice choice {};
    int copies = 1;
    bool collate = false;
    bool faceUp = false;
};
std::vector<int> printOrder(const std::vector<bool>& marks, const PrintOptions& options);

} // namespace nidora::reports
