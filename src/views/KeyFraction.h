#pragma once

#include "data/Schema.h"

#include <cstdint>
#include <vector>

// Where a row lies in a list too long to count, estimated from its key alone: the list's first
// and last rows are known, and a key between theirs is placed by interpolating the first
// component in which those two differ (numbers by value, texts by their characters' weights
// in the key order). Rows of equal key values are told apart by their identities.
namespace nidora::views {

struct KeyPoint {
    std::vector<data::FieldValue> values; // the key's components below the list's range
    std::int64_t id = 0;
};

// 0 at the first row, 1 at the last; clamped to [0, 1].
double keyFraction(const KeyPoint& first, const KeyPoint& last, const KeyPoint& row);

// The position at a fraction of the way from the first row to the last: the key values to
// read on from (the leading components the two rows share, then the interpolated one) and,
// when the two rows share every component, the identity.
KeyPoint keyAtFraction(const KeyPoint& first, const KeyPoint& last, double fraction);

} // namespace nidora::views
