#include "views/FieldHistory.h"

#include "data/AccessBuffer.h"
#include "framework/ThreadContext.h"

namespace nidora::views {

FieldHistory& FieldHistory::of(framework::ThreadContext& thread)
{
    return thread.local<FieldHistory>();
}

const data::Record* FieldHistory::last(data::FileId file) const
{
    const auto found = records_.find(file);
    return found == records_.end() ? nullptr : found->second.get();
}

void FieldHistory::keep(data::FileId file, const data::Record& record)
{
    records_[file] = data::cloneRecord(data::fileDesc(file), record);
}

} // namespace nidora::views
