#include "data/KeyOrderGuard.h"

#include "data/RecordCodec.h"

#include <sqlite3.h>

namespace nidora::data {

int compareKeyValues(const SqlSchema& schema, int key, const std::vector<FieldValue>& a,
    const std::vector<FieldValue>& b, std::size_t count)
{
    const KeyDesc& desc = schema.file().keys[std::size_t(key)];
    for (std::size_t c = 0; c < count; ++c) {
        const int order = compareStored(schema.componentColumn(desc.components[c]), a[c], b[c]);
        if (order != 0)
            return order;
    }
    return 0;
}

KeyOrderGuard::KeyOrderGuard(const SqlSchema& schema, int key, const Position& from, Direction direction)
    : schema_(schema)
    , key_(key)
    , forward_(direction == Direction::Forward)
    , last_(from.values)
    , lastId_(from.id)
{
    const std::size_t components = schema.file().keys[std::size_t(key)].components.size();
    lastCount_ = std::min(last_.size(), components);
    strict_ = lastCount_ == components && from.id != 0;
}

int KeyOrderGuard::beyond(const std::vector<FieldValue>& values, std::int64_t id,
    const std::vector<FieldValue>& than, std::int64_t thanId, std::size_t count) const
{
    int order = compareKeyValues(schema_, key_, values, than, count);
    const std::size_t components = schema_.file().keys[std::size_t(key_)].components.size();
    if (order == 0 && count == components && strict_)
        order = id < thanId ? -1 : (id > thanId ? 1 : 0);
    return forward_ ? order : -order;
}

bool KeyOrderGuard::accept(const Record& record, std::int64_t id)
{
    std::vector<FieldValue> values = keyValues(schema_, key_, record);
    if (lastCount_ > 0) {
        const int order = beyond(values, id, last_, lastId_, lastCount_);
        if (order < 0 || (order == 0 && strict_)) {
            refused_ = id;
            return false;
        }
    }
    last_ = std::move(values);
    lastId_ = id;
    lastCount_ = last_.size();
    strict_ = true;
    return true;
}

Outcome KeyOrderGuard::outOfOrder() const
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key_)];
    return Outcome { Status::KeysDamaged, nullptr, SQLITE_CORRUPT_INDEX,
        QStringLiteral("the key %1 gave record %2 out of its order").arg(desc.name).arg(refused_) };
}

} // namespace nidora::data
