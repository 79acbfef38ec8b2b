#pragma once

#include "data/AccessObject.h"
#include "views/SortOrder.h"

#include <memory>
#include <vector>

// Reading the rows of a view (a key, its range and a filter) from a position, shared by the
// lists and the report passes.
namespace nidora::views {

struct ViewRow {
    data::RecordRef ref;
    std::unique_ptr<data::Record> record;
};

struct ViewRead {
    bool ok = true; // false: the read failed and message 1 (42 for a closed file) was shown
    bool reachedEnd = false; // the key's end or the range's end came before `wanted` rows
    std::int64_t seen = 0; // records read, the filtered-out ones included
};

// The range's values, never more than the key's components.
std::vector<data::FieldValue> rangeValues(const SortOrder& order);

// Appends up to `wanted` rows (a few more when a page of the file held them) that lie in the
// range and pass the filter, read from `from` in the direction given.
ViewRead readRows(data::AccessObject& access, const SortOrder& order, const RecordFilter& filter,
    const data::Position& from, data::Direction direction, int wanted, std::vector<ViewRow>& out);

} // namespace nidora::views
