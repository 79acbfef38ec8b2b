#pragma once

#include <QPointer>
#include <QWidget>

#include <vector>

namespace nidora::framework {

// The open windows of one logical thread, earliest first. A form, lookup, report or message
// runs over its caller on the same thread, so only the latest window takes input: opening one
// disables the window below it and closing it enables that window again. Windows of other
// threads are never touched.
//
// Disabling a window disables every widget inside it, so a window that holds other threads'
// windows (a workspace) is not to be registered whole.
class ThreadWindows {
public:
    ThreadWindows() = default;
    ThreadWindows(const ThreadWindows&) = delete;
    ThreadWindows& operator=(const ThreadWindows&) = delete;

    // Puts window on top and returns the ticket that removes it.
    int open(QWidget* window);
    // Takes the window of this ticket off; when it was on top, the window now on top takes
    // input again (unless it was disabled before this thread disabled it) and is brought to the
    // front, the active window.
    void close(int ticket);

    // The window now taking input, or null when the thread shows none.
    QWidget* top() const;

private:
    struct Entry {
        int ticket;
        QPointer<QWidget> window;
        bool disabledHere = false; // enabled again only when it was this list that disabled it
    };

    std::vector<Entry> entries_;
    int nextTicket_ = 1;
};

// Keeps a window on its thread's list for the scope's life; the usual way a window procedure
// or a dialog wait registers its window.
class ThreadWindowScope {
public:
    explicit ThreadWindowScope(QWidget* window);
    ~ThreadWindowScope();
    ThreadWindowScope(const ThreadWindowScope&) = delete;
    ThreadWindowScope& operator=(const ThreadWindowScope&) = delete;

private:
    ThreadWindows& windows_;
    int ticket_;
};

} // namespace nidora::framework
