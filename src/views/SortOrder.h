#pragma once

#include "data/Schema.h"

#include <QString>

#include <functional>
#include <vector>

// What a list or report reads: one key of a file, the leading key values it is held to, and
// a predicate on each record. A list has one sort order per tab of its sheet.
namespace nidora::views {

enum class LocatorKind {
    None,
    // Collects the typed characters and moves to the first row at or after them.
    Incremental,
    // Each typed character on its own moves to the first row that begins at or after it.
    Step,
};

// The fixed leading components of the key, in key order (the consultations of one patient:
// { the patient's code }). Asked again on every reload, so a range bound to a buffer follows it.
using KeyRange = std::function<std::vector<data::FieldValue>()>;
using RecordFilter = std::function<bool(const data::Record&)>;

struct SortOrder {
    const data::KeyDesc* key = nullptr;
    LocatorKind locator = LocatorKind::None;
    QString caption {}; // the tab's caption
    KeyRange range {}; // empty: the whole key
};

} // namespace nidora::views
