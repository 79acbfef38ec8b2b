#include "framework/ThreadContext.h"

namespace nidora::framework {

ThreadContext::ThreadContext(int number)
    : number_(number)
    , events_(*this)
{
}

ThreadContext::~ThreadContext()
{
    releaseLocals();
}

void* ThreadContext::findLocal(std::type_index type) const
{
    for (const LocalEntry& entry : locals_) {
        if (entry.type == type)
            return entry.value;
    }
    return nullptr;
}

void ThreadContext::releaseLocals()
{
    // One at a time from the back, so a destructor that still reads another local finds it.
    while (!locals_.empty()) {
        std::unique_ptr<LocalSlot> last = std::move(locals_.back().slot);
        locals_.pop_back();
        last.reset();
    }
}

} // namespace nidora::framework
