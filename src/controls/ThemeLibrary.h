#pragma once

#include <QRect>
#include <QString>

#include <set>

class QPainter;
class QWidget;

namespace nidora::controls {

// The desktop theme the painters draw in. On this platform the theme is the toolkit's style, so
// this is our own small layer over it, shaped as the painters expect a theme library to be:
// theme data opened per theme class and closed by whoever opened it, and the parts of each class
// drawn in a state. One object for the whole program, made before any window opens.
class ThemeLibrary {
public:
    // Theme classes, parts and states.
    static constexpr const char* Edit = "Edit";
    static constexpr const char* Combobox = "Combobox";
    static constexpr const char* Spin = "Spin";
    static constexpr const char* Tab = "Tab";

    static constexpr int EditFrame = 1; // Edit: 1 normal, 4 disabled, 6 read-only
    static constexpr int DropButton = 1; // Combobox: 0 or 1 normal, 2 hot, 3 pressed, 4 disabled
    static constexpr int SpinUp = 1; // Spin: 0 normal, 2 hot
    static constexpr int SpinDown = 2;
    static constexpr int TabPane = 9; // Tab: 1 normal, 4 disabled

    static constexpr int Normal = 1;
    static constexpr int Hot = 2;
    static constexpr int Pressed = 3;
    static constexpr int Disabled = 4;
    static constexpr int ReadOnly = 6;

    // Loaded when the program has a style to draw with.
    ThemeLibrary();
    ~ThemeLibrary();
    ThemeLibrary(const ThemeLibrary&) = delete;
    ThemeLibrary& operator=(const ThemeLibrary&) = delete;

    bool hasLib() const { return hasLib_; }

    // The desktop's theme switched off: no theme data opens, and controls keep their own look.
    void setThemeActive(bool active) { active_ = active; }

    // Theme data of a class: 0 when the library is not loaded, the theme is off or the class is
    // none of the four. Each opened handle is closed once with closeThemeData.
    int openThemeData(const QString& themeClass);
    void closeThemeData(int data);
    // Handles opened and not closed yet.
    int openCount() const { return static_cast<int>(open_.size()); }

    // Draws a part of the handle's class in a state over rect, for the widget it belongs to.
    void drawThemeBackground(
        int data, QPainter& painter, int part, int state, const QRect& rect, const QWidget* widget) const;

private:
    struct Opened {
        int handle;
        QString themeClass;
        bool operator<(const Opened& other) const { return handle < other.handle; }
    };

    bool hasLib_ = false;
    bool active_ = true;
    int lastHandle_ = 0;
    std::set<Opened> open_;
};

} // namespace nidora::controls
