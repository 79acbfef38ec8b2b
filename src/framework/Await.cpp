#include "framework/Await.h"

#include "framework/Scheduler.h"

#include <QEvent>
#include <QTimer>

#include <optional>

namespace nidora::framework {

namespace {

// Wakes a thread when the watched window is hidden, which closing it does.
class HideWatcher final : public QObject {
public:
    explicit HideWatcher(ThreadContext& thread)
        : thread_(thread)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            wake(thread_);
        return QObject::eventFilter(watched, event);
    }

private:
    ThreadContext& thread_;
};

} // namespace

bool awaitUntil(const std::function<bool()>& ready)
{
    Scheduler* scheduler = Scheduler::instance();
    if (!scheduler || !scheduler->running())
        throw std::logic_error("only a logical thread's own fiber can wait");
    const ThreadContext& self = scheduler->currentContext();
    for (;;) {
        if (self.endRequested())
            return false;
        if (ready())
            return true;
        scheduler->suspendCurrent();
    }
}

void wake(ThreadContext& thread)
{
    if (Scheduler* scheduler = Scheduler::instance())
        scheduler->wake(thread);
}

bool waitForClose(QWidget* window)
{
    const QPointer<QWidget> alive(window);
    if (!alive)
        return true;
    ThreadContext& self = currentThread();
    HideWatcher watcher(self);
    window->installEventFilter(&watcher);
    const QMetaObject::Connection onDestroyed
        = QObject::connect(window, &QObject::destroyed, [&self] { wake(self); });
    const bool closed = awaitUntil([&] { return alive.isNull() || !alive->isVisible(); });
    if (alive)
        alive->removeEventFilter(&watcher);
    QObject::disconnect(onDestroyed);
    return closed;
}

bool waitFor(std::chrono::milliseconds delay)
{
    ThreadContext& self = currentThread();
    bool passed = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        passed = true;
        wake(self);
    });
    timer.start(delay);
    return awaitUntil([&] { return passed; });
}

int awaitDialog(QDialog& dialog)
{
    ThreadContext& self = currentThread();
    const QPointer<QDialog> alive(&dialog);
    std::optional<int> result;
    const QMetaObject::Connection onFinished = QObject::connect(&dialog, &QDialog::finished, [&](int answer) {
        result = answer;
        wake(self);
    });
    const QMetaObject::Connection onDestroyed
        = QObject::connect(&dialog, &QObject::destroyed, [&self] { wake(self); });
    {
        ThreadWindowScope onTop(&dialog);
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        awaitUntil([&] { return result.has_value() || alive.isNull(); });
        QObject::disconnect(onFinished);
        QObject::disconnect(onDestroyed);
        if (alive && !result)
            alive->reject();
    }
    return result.value_or(0);
}

} // namespace nidora::framework
