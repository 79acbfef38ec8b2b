#include "data/ThreadDictionary.h"

#include "framework/ThreadContext.h"

#include <memory>

namespace nidora::data {
namespace {

// Held as the thread's local value, so a thread whose shut-down never ran still frees it.
struct ThreadData {
    std::unique_ptr<Dictionary> dictionary;
};

} // namespace

Dictionary& threadDictionary(framework::ThreadContext& thread)
{
    auto& held = thread.local<ThreadData>().dictionary;
    if (!held)
        held = std::make_unique<Dictionary>();
    return *held;
}

Dictionary& threadDictionary()
{
    return threadDictionary(framework::currentThread());
}

void releaseThreadDictionary(framework::ThreadContext& thread)
{
    thread.local<ThreadData>().dictionary.reset();
}

} // namespace nidora::data
