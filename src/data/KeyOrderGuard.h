#pragma once

#include "data/DataFile.h"
#include "data/SqlSchema.h"

#include <vector>

// The order of a key as its index keeps it: the components compared as the key compares them
// (text through the key collation), the record identity last. A read in key order that comes
// out of that order, or that hands back the record it stands on, has met a damaged key page:
// reading on would go round the same entries for ever.
namespace nidora::data {

// Compares the leading `count` components of two key values.
int compareKeyValues(const SqlSchema& schema, int key, const std::vector<FieldValue>& a,
    const std::vector<FieldValue>& b, std::size_t count);

// Watches the rows of one read in key order, in the order they come.
class KeyOrderGuard {
public:
    KeyOrderGuard(const SqlSchema& schema, int key, const Position& from, Direction direction);

    // False when the record is not strictly beyond the last one accepted (or, for the first,
    // not at or beyond the position the read started from).
    bool accept(const Record& record, std::int64_t id);
    // What the read comes to once a row was refused: the keys are damaged.
    Outcome outOfOrder() const;

private:
    // > 0 when (values, id) lies beyond (than, thanId) in the reading direction.
    int beyond(const std::vector<FieldValue>& values, std::int64_t id, const std::vector<FieldValue>& than,
        std::int64_t thanId, std::size_t count) const;

    const SqlSchema& schema_;
    int key_;
    bool forward_;
    std::vector<FieldValue> last_;
    std::int64_t lastId_ = 0;
    std::size_t lastCount_ = 0; // components of last_ that count; 0 before any bound
    bool strict_ = false; // the bound itself is excluded (a resumed read, or a row read)
    std::int64_t refused_ = 0;
};

} // namespace nidora::data
