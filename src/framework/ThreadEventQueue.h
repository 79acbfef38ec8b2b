#pragma once

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <deque>
#include <optional>

namespace nidora::framework {

class ThreadContext;

// One event for a logical thread's windows: what happened (the window library's event codes),
// the control or window it came from, and any value that goes with it.
struct ThreadEvent {
    int code = 0;
    QPointer<QObject> source;
    QVariant value;
};

// The events of one logical thread's windows, in the order they happened. Qt signals and event
// handlers only post here; the thread's fiber takes them one at a time in its own loop:
//     while (auto event = thread.events().nextEvent(window)) handle(*event);
class ThreadEventQueue : public QObject {
public:
    explicit ThreadEventQueue(ThreadContext& owner);

    // Queues an event and wakes the owning thread; safe from any widget's event handler, as the
    // thread runs later, from the main loop.
    void post(ThreadEvent event);

    // Each emission of sender's signal posts an event with the given code and the sender as its
    // source. The connection ends with the queue or the sender, whichever goes first.
    template <class Sender, class Signal>
    QMetaObject::Connection forward(Sender* sender, Signal signal, int code);

    // The next event, waiting for one as long as needed; none once the thread is asked to end.
    // Only the owning thread may take its events.
    std::optional<ThreadEvent> nextEvent();

    // The same for the loop of one window: takes the next event raised by that window or by an
    // object inside it, or posted with no source. Events of the thread's other windows stay
    // queued for their own loops (an earlier window's timer keeps firing while a form runs over
    // it), and events whose source has been destroyed since are dropped.
    std::optional<ThreadEvent> nextEvent(const QObject* window);

    bool empty() const { return entries_.empty(); }

private:
    struct Entry {
        ThreadEvent event;
        bool hadSource; // tells a source destroyed since from an event posted without one
    };

    std::optional<ThreadEvent> takeFirst(const QObject* window);

    ThreadContext& owner_;
    std::deque<Entry> entries_;
};

template <class Sender, class Signal>
QMetaObject::Connection ThreadEventQueue::forward(Sender* sender, Signal signal, int code)
{
    QPointer<QObject> source(sender);
    return QObject::connect(sender, signal, this, [this, source, code] {
        post(ThreadEvent { code, source, {} });
    });
}

} // namespace nidora::framework
