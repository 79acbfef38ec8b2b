#include "views/ViewRows.h"

#include "core/RecordMessages.h"
#include "data/AccessBuffer.h"

#include <algorithm>

namespace nidora::views {
namespace {

// Rows asked of the file at a time, so that a filter that leaves most out costs few reads.
constexpr int kMinimumBatch = 32;

bool inRange(const data::FileDesc& file, const data::KeyDesc& key, const data::Record& record,
    const std::vector<data::FieldValue>& range)
{
    if (range.empty())
        return true;
    const std::vector<data::FieldValue> values = data::keyComponents(file, key, record, int(range.size()));
    for (std::size_t c = 0; c < range.size(); ++c) {
        if (!data::sameKeyValue(file.fields[std::size_t(key.components[c])], values[c], range[c]))
            return false;
    }
    return true;
}

} // namespace

std::vector<data::FieldValue> rangeValues(const SortOrder& order)
{
    std::vector<data::FieldValue> values = order.range ? order.range() : std::vector<data::FieldValue> {};
    if (values.size() > order.key->components.size())
        values.resize(order.key->components.size());
    return values;
}

ViewRead readRows(data::AccessObject& access, const SortOrder& order, const RecordFilter& filter,
    const data::Position& from, data::Direction direction, int wanted, std::vector<ViewRow>& out)
{
    ViewRead result;
    data::DataFile* file = access.file();
    if (!file) {
        access.report(core::message::FileNotOpen, {}, true);
        return ViewRead { false, true, 0 };
    }
    const data::KeyDesc& key = *order.key;
    const std::vector<data::FieldValue> range = rangeValues(order);
    data::Position position = from;
    const int batch = std::max(wanted, kMinimumBatch);
    std::size_t added = 0;
    int rebuiltRetries = 0;
    while (int(added) < wanted && !result.reachedEnd) {
        int seen = 0;
        bool leftRange = false;
        const data::Outcome outcome = file->page(
            &key, position, direction, batch, [&](const data::RecordRef& ref, const data::Record& record) {
                ++seen;
                if (leftRange || !inRange(access.desc(), key, record, range)) {
                    leftRange = true;
                    return;
                }
                ++result.seen;
                position = file->positionOf(key, record, ref.id);
                if (!filter || filter(record)) {
                    out.push_back(ViewRow { ref, data::cloneRecord(access.desc(), record) });
                    ++added;
                }
            });
        if (!outcome.ok()) {
            // Keys found damaged and rebuilt: the read goes on from the last row it took.
            const int rebuilds = access.keyRebuilds();
            access.reportOutcome(core::message::RetrievalError, outcome, true);
            if (access.keyRebuilds() != rebuilds && ++rebuiltRetries == 1 && access.file() == file)
                continue;
            return ViewRead { false, true, result.seen };
        }
        result.reachedEnd = leftRange || seen < batch;
    }
    return result;
}

} // namespace nidora::views
