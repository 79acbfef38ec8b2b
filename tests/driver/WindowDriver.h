#pragma once

#include "framework/Scheduler.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <functional>

class QMessageBox;

namespace nidora::test {

// Drives the program's windows as a user would, under the offscreen platform: starts
// procedures on logical threads, lets the event loop run until they have done what they can,
// finds controls by their names, types, presses buttons and keys, and answers message boxes by
// their text. Needs the test's Scheduler to exist.
class WindowDriver {
public:
    // Starts a procedure on a new logical thread and lets it run until it waits.
    int start(framework::ThreadProcedure procedure, std::size_t stackSize = 0);

    // Runs the event loop until nothing is left to do for now.
    void settle();
    // Runs the event loop until done() holds; false when it never did (the bound only keeps a
    // broken window from hanging the run).
    bool runUntil(const std::function<bool()>& done);

    // A shown control by its object name ("?MED:NOMBRE"), or a window by its caption; null when
    // there is none.
    QWidget* find(const QString& name) const;
    QWidget* window(const QString& caption) const;

    // Puts the text into a line edit as if typed over what it held; does not accept it.
    void type(const QString& name, const QString& text);
    // Finishes with a control: Enter on an entry or a spin, a click on a button or check box.
    void accept(const QString& name);
    void click(const QString& name);
    // Presses a key, by the program's key code, on the control (or on whatever has the focus).
    void pressKey(const QString& name, int code);
    // Asks a window to close, as its close box does.
    void close(const QString& caption);

    // The message box now shown whose text contains text, or null.
    QMessageBox* messageBox(const QString& text) const;
    // Waits for such a box and presses its button with the given text ("OK", "&Yes", "No");
    // false when no such box or button came.
    bool answer(const QString& text, const QString& button);
};

} // namespace nidora::test
