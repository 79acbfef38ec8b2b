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

// How the focus highlighter marks the focused control; colours are stored values (0x00BBGGRR),
// sizes are in dialog units. The values here are what every window passes: bold text, which
// shows only together with the colour change, so nothing changes on screen.
struct HighlighterOptions {
    bool changeColor = false;
    quint32 backgroundColor = 0x00FFFF;
    bool boldText = true;
    bool excludeDropList = false;
    quint32 backgroundColorRequired = 0x00FFFF;
    bool displayBox = false;
    quint32 boxFillColor = 0x00FFFF;
    quint32 boxBorderColor = 0;
    int boxSize = 2;
    quint32 boxFillColorRequired = 0x00FFFF;
    quint32 boxBorderColorRequired = 0;
    bool displayIndicator = false;
    quint32 indicatorColor = 0x808080;
    QString indicator = QStringLiteral("»");
    int indicatorOffset = 8;
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
