#pragma once

#include "framework/ThreadEventQueue.h"

#include <QString>

#include <functional>
#include <memory>

namespace nidora::framework {

class Control;
class Window;

// The three components every window installs, seen from the window. The ones here change
// nothing; the program's own (in the controls library) derive from them and are made through
// the factories the program sets at start-up.

// Moves the focus with Enter and the arrow keys.
class KeyboardNavigator {
public:
    virtual ~KeyboardNavigator() = default;
    // Leaves a control out of the order it builds (a form's OK button).
    virtual void exclude(Control& control) { (void)control; }
    virtual void buildTabOrder(Window& window) { (void)window; }
    // True when the navigator consumed the event, so the window handles it no further.
    virtual bool takeEvent(Window& window, const ThreadEvent& event)
    {
        (void)window;
        (void)event;
        return false;
    }
    virtual void kill() { }
};

struct HighlighterOptions {
    bool boldText = true;
    QString indicator = QStringLiteral("»");
};

// Marks the control that has the focus.
class FocusHighlighter {
public:
    virtual ~FocusHighlighter() = default;
    virtual void setUp(Window& window, const HighlighterOptions& options)
    {
        (void)window;
        (void)options;
    }
    // Sees every event first; whatever it does, the window's handling goes on.
    virtual void takeEvent(Window& window, const ThreadEvent& event)
    {
        (void)window;
        (void)event;
    }
    virtual void kill() { }
};

// Paints the window's controls in the desktop theme.
class ThemeManager {
public:
    virtual ~ThemeManager() = default;
    virtual void addControl(Control& control) { (void)control; }
    // Lets go of every control it was given.
    virtual void kill() { }
};

struct WindowComponents {
    std::function<std::unique_ptr<KeyboardNavigator>()> makeNavigator;
    std::function<std::unique_ptr<FocusHighlighter>()> makeHighlighter;
    std::function<std::unique_ptr<ThemeManager>()> makeThemeManager;
    // Whether the desktop theme library is loaded: only then are controls handed to the theme
    // manager.
    std::function<bool()> themeLibraryLoaded;
};

// Set once at start-up, before any window opens (tests set their own). A factory left empty
// gives the component above that changes nothing.
void setWindowComponents(WindowComponents components);

std::unique_ptr<KeyboardNavigator> makeKeyboardNavigator();
std::unique_ptr<FocusHighlighter> makeFocusHighlighter();
std::unique_ptr<ThemeManager> makeThemeManager();
bool themeLibraryLoaded();

} // namespace nidora::framework
