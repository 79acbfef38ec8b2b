#pragma once

#include "data/Dictionary.h"

#include <functional>

// How a window fills a scratch file (GRAFICO, OUTPUT) for the chart or report it calls next: in
// a copy of the file of its own thread's (AccessObject::useOwnCopy), claimed at its first fill,
// so that no other window filling the same file at once, on this station or another, mixes its
// rows in or empties the file under it.
namespace nidora::reports {

// Empties the thread's copy of the file (closed, created anew, opened again through its
// relation object) and writes the rows `fill` inserts in one buffered pass; whoever held the
// file open holds the copy open afterwards. False when the file could not be emptied, opened
// or written, or `fill` answered false; the error manager has then said why.
bool refillScratch(
    data::Dictionary& data, data::FileId file, const std::function<bool(data::AccessObject& rows)>& fill);

} // namespace nidora::reports
