#pragma once

// What the benchmarks of windows share: the time of one iteration as the window shows its
// outcome, a keystroke loop, and a main() with the application and the logical threads'
// scheduler, whose threads get their data as the program gives it.
#include "framework/Scheduler.h"
#include "framework/ThreadContext.h"
#include "views/DictionarySetup.h"

#include <QApplication>
#include <QString>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace nidora::bench {

using Clock = std::chrono::steady_clock;

inline void seconds(benchmark::State& state, Clock::time_point since)
{
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - since).count());
}

// One keystroke an iteration, from the key pressed to the list painted again: a letter typed,
// then taken back with Backspace. press(key, text) presses it and waits for the list.
template <class Press>
void typeAndTakeBack(benchmark::State& state, Qt::Key key, const QString& text, Press press)
{
    bool typing = true;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        if (typing)
            press(key, text);
        else
            press(Qt::Key_Backspace, QString());
        seconds(state, start);
        typing = !typing;
    }
}

// Until the logical thread has taken every event it was sent; its handlers run to their end
// before it waits again, so its windows show the outcome then.
inline void settleThread(int thread)
{
    framework::ThreadContext* context = framework::Scheduler::instance()->find(thread);
    while (context && !context->events().empty())
        QCoreApplication::processEvents();
}
// One window procedure on a logical thread of its own, for as long as the object lives: started,
// then the event loop runs until shown() gives the widget the benchmark watches, painted.
class WindowOnThread {
public:
    WindowOnThread(const framework::ThreadProcedure& procedure, std::size_t stackSize,
        const std::function<QWidget*()>& shown)
    {
        thread_ = framework::StartOnNewThread(
            [this, procedure] {
                procedure();
                ended_ = true;
            },
            stackSize);
        while (!(widget_ = shown()))
            QCoreApplication::processEvents();
        widget_->repaint();
    }
    ~WindowOnThread()
    {
        widget_->window()->close();
        while (!ended_)
            QCoreApplication::processEvents();
    }
    WindowOnThread(const WindowOnThread&) = delete;
    WindowOnThread& operator=(const WindowOnThread&) = delete;

    QWidget* widget() const { return widget_; }
    // Until the window's thread has taken everything it was sent; its handlers run to their end
    // before the thread waits again, so the window shows the outcome then.
    void settle()
    {
        framework::ThreadContext* context = framework::Scheduler::instance()->find(thread_);
        while (context && !context->events().empty())
            QCoreApplication::processEvents();
        widget_->repaint();
    }

private:
    int thread_ = 0;
    bool ended_ = false;
    QWidget* widget_ = nullptr;
};

// Offscreen unless told otherwise, so the benchmarks run without a display.
inline int runWindowBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    framework::Scheduler scheduler;
    scheduler.setThreadStartHook([](framework::ThreadContext& thread) { views::DictionarySetup(thread); });
    scheduler.setThreadEndHook([](framework::ThreadContext& thread) { views::DictionaryShutdown(thread); });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace nidora::bench
