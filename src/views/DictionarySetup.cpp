#include "views/DictionarySetup.h"

#include "core/ErrorManager.h"
#include "framework/ThreadContext.h"

#include <memory>
#include <stdexcept>
#include <string>

namespace nidora::views {

using data::Dictionary;

namespace {

// Held as the thread's local value, so a thread whose shut-down never ran still frees it when
// its context goes.
struct ThreadData {
    std::unique_ptr<Dictionary> dictionary;
};

} // namespace

void DictionarySetup(framework::ThreadContext& thread, core::ErrorManager& errors)
{
    std::unique_ptr<Dictionary>& dictionary = thread.local<ThreadData>().dictionary;
    if (!dictionary)
        dictionary = std::make_unique<Dictionary>(errors);
}

void DictionarySetup(framework::ThreadContext& thread)
{
    DictionarySetup(thread, core::AppErrorManager);
}

void DictionaryShutdown(framework::ThreadContext& thread)
{
    // Released from the slot before it is destroyed, so that anything the take-down reaches
    // already finds the thread without data.
    std::unique_ptr<Dictionary> dictionary = std::move(thread.local<ThreadData>().dictionary);
    dictionary.reset();
}

Dictionary* findThreadDictionary(framework::ThreadContext& thread)
{
    return thread.local<ThreadData>().dictionary.get();
}

Dictionary& threadDictionary()
{
    framework::ThreadContext& thread = framework::currentThread();
    if (Dictionary* dictionary = findThreadDictionary(thread))
        return *dictionary;
    throw std::logic_error("thread " + std::to_string(thread.number()) + " has no data set up");
}

} // namespace nidora::views
