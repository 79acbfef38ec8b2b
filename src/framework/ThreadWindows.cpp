#include "framework/ThreadWindows.h"

#include "framework/CloseDown.h"
#include "framework/ThreadContext.h"
#include "framework/WindowArea.h"

#include <algorithm>

namespace nidora::framework {

int ThreadWindows::open(QWidget* window)
{
    if (!entries_.empty()) {
        Entry& below = entries_.back();
        if (below.window && below.window->isEnabled()) {
            below.window->setEnabled(false);
            below.disabledHere = true;
        }
    }
    // A dialog parented to a disabled window is disabled with it; as a window of its own it can
    // take input again without its parent doing so.
    if (window && window->isWindow() && !window->isEnabled() && !window->testAttribute(Qt::WA_ForceDisabled))
        window->setEnabled(true);
    entries_.push_back(Entry { nextTicket_, window });
    return nextTicket_++;
}

void ThreadWindows::close(int ticket)
{
    const auto it = std::find_if(
        entries_.begin(), entries_.end(), [ticket](const Entry& e) { return e.ticket == ticket; });
    if (it == entries_.end())
        return;
    const bool wasTop = std::next(it) == entries_.end();
    entries_.erase(it);
    noteWindowGone();
    if (!wasTop || entries_.empty())
        return;
    Entry& now = entries_.back();
    if (now.window && now.disabledHere)
        now.window->setEnabled(true);
    now.disabledHere = false;
    // The caller takes input again, the focus its handler gives next included: a lookup closed
    // without a choice puts it back on the field it was called from.
    if (now.window && now.window->isVisible())
        bringToFront(now.window);
}

QWidget* ThreadWindows::top() const
{
    return entries_.empty() ? nullptr : entries_.back().window.data();
}

ThreadWindowScope::ThreadWindowScope(QWidget* window)
    : windows_(currentThread().windows())
    , ticket_(windows_.open(window))
{
}

ThreadWindowScope::~ThreadWindowScope()
{
    windows_.close(ticket_);
}

} // namespace nidora::framework
