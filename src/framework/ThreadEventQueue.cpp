#include "framework/ThreadEventQueue.h"

#include "framework/Await.h"
#include "framework/ThreadContext.h"

#include <stdexcept>

namespace nidora::framework {

namespace {

bool belongsTo(const QObject* source, const QObject* window)
{
    for (const QObject* object = source; object; object = object->parent()) {
        if (object == window)
            return true;
    }
    return false;
}

} // namespace

ThreadEventQueue::ThreadEventQueue(ThreadContext& owner)
    : owner_(owner)
{
}

void ThreadEventQueue::post(ThreadEvent event)
{
    const bool hadSource = !event.source.isNull();
    entries_.push_back(Entry { std::move(event), hadSource });
    wake(owner_);
}

std::optional<ThreadEvent> ThreadEventQueue::nextEvent()
{
    return takeFirst(nullptr);
}

std::optional<ThreadEvent> ThreadEventQueue::nextEvent(const QObject* window)
{
    return takeFirst(window);
}

std::optional<ThreadEvent> ThreadEventQueue::takeFirst(const QObject* window)
{
    if (&currentThread() != &owner_)
        throw std::logic_error("a logical thread's events are taken only by that thread");
    std::optional<ThreadEvent> taken;
    const auto findOne = [&] {
        for (auto it = entries_.begin(); it != entries_.end();) {
            if (it->hadSource && it->event.source.isNull()) {
                it = entries_.erase(it);
                continue;
            }
            if (!window || !it->hadSource || belongsTo(it->event.source, window)) {
                taken = std::move(it->event);
                entries_.erase(it);
                return true;
            }
            ++it;
        }
        return false;
    };
    if (!awaitUntil(findOne))
        return std::nullopt;
    return taken;
}

} // namespace nidora::framework
