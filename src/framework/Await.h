#pragma once

#include "framework/ThreadContext.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// Waiting on a logical thread without a nested event loop: the thread's fiber gives the GUI
// thread back to the scheduler and is resumed from the main loop once something it waits for
// has happened. Every wait returns false, without waiting, once the thread has been asked to end,
// so whatever loops around it unwinds by returning.
namespace nidora::framework {

// Waits until ready() holds, looking again each time the thread is woken; true when it held,
// false when the thread was asked to end first. Whatever makes ready() true must wake the
// thread (the helpers below and ThreadEventQueue::post do). Only on a logical thread's fiber.
bool awaitUntil(const std::function<bool()>& ready);

// Makes a logical thread look again at what it waits for; safe from any widget's event handler.
void wake(ThreadContext& thread);

// Waits for the next emission of sender's signal: true when it came, false when the thread was
// asked to end or the sender was destroyed first.
template <class Sender, class Signal> bool waitForSignal(Sender* sender, Signal signal);

// Waits until a shown window is hidden (closed) or destroyed; true when it was.
bool waitForClose(QWidget* window);

// Waits the given time; true when it has passed.
bool waitFor(std::chrono::milliseconds delay);

// Shows a dialog or message box without modality and waits for its answer: the result it
// finished with (a message box's button), or 0 when the dialog was destroyed or the thread was
// asked to end (the dialog is then rejected). While it waits, the thread's earlier windows take
// no input; other threads' windows stay usable, which an application-modal or window-modal
// dialog (exec() or open()) would not allow.
int awaitDialog(QDialog& dialog);

// Starts something that answers later through the completion start hands it (a chooser or
// set-up dialog of the platform) and waits for that answer; nothing when the thread was asked to
// end first. The completion may still run after the wait is over, so what it answers into
// outlives the wait, and it wakes the thread only while the thread waits.
template <class T> std::optional<T> awaitAnswer(const std::function<void(std::function<void(T)>)>& start);

template <class Sender, class Signal> bool waitForSignal(Sender* sender, Signal signal)
{
    ThreadContext& self = currentThread();
    const QPointer<QObject> alive(sender);
    bool emitted = false;
    const QMetaObject::Connection onSignal = QObject::connect(sender, signal, sender, [&] {
        emitted = true;
        wake(self);
    });
    const QMetaObject::Connection onDestroyed
        = QObject::connect(sender, &QObject::destroyed, [&self] { wake(self); });
    awaitUntil([&] { return emitted || alive.isNull(); });
    QObject::disconnect(onSignal);
    QObject::disconnect(onDestroyed);
    return emitted;
}

template <class T> std::optional<T> awaitAnswer(const std::function<void(std::function<void(T)>)>& start)
{
    struct Wait {
        std::optional<T> answer;
        ThreadContext* thread = nullptr;
    };
    auto wait = std::make_shared<Wait>();
    wait->thread = &currentThread();
    start([wait](T answer) {
        wait->answer = std::move(answer);
        if (wait->thread)
            wake(*wait->thread);
    });
    const bool answered = awaitUntil([&wait] { return wait->answer.has_value(); });
    wait->thread = nullptr;
    return answered ? std::move(wait->answer) : std::nullopt;
}

} // namespace nidora::framework
