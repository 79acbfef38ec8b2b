#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QRect>
#include <QString>

#include <functional>

namespace nidora::e2e {

// The program's real binary, started on a folder under the X server the test runs on, with the
// probe loaded into it (ProgramProbe.cpp). Input goes through the X server as a user's would
// (xdotool); what is on screen is asked of the probe. Every wait is for something to show on
// screen or for the process to end, bounded only so that a broken program fails the test
// instead of hanging it.
class ProgramUnderTest {
public:
    explicit ProgramUnderTest(const QString& folder);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The probe's answer to one question (see ProgramProbe.cpp); empty when the program ended.
    QJsonObject ask(const QString& question);

    // Asks again until the answer satisfies done; false when it never did.
    bool waitFor(const QString& question, const std::function<bool(const QJsonObject&)>& done,
        QJsonObject* last = nullptr);
    // A shown window (workspace window, message box or the frame) of that caption, once there.
    bool waitForWindow(const QString& title, QJsonObject* found = nullptr);
    bool waitForNoWindow(const QString& title);
    // The shown widget of that object name, once there.
    bool waitForWidget(const QString& name, QJsonObject* found = nullptr);

    // The first shown window for which which() holds, once there.
    bool waitForWindowWhere(
        const std::function<bool(const QJsonObject&)>& which, QJsonObject* found = nullptr);
    // Waits until a workspace window is the active one and shown whole, at the size it opens at
    // (more than a title bar); framed windows only.
    bool showWhole(const std::function<bool(const QJsonObject&)>& which);
    bool showWhole(const QString& title);

    // Gives the frame's window the keyboard, as a window manager would on a click.
    bool focusFrame();
    // Gives a top-level window the probe listed (a message box) the keyboard.
    static void focus(const QJsonObject& window);
    // A click in the middle of a place the probe gave.
    static void click(const QJsonObject& place);
    // Clicks a widget by its object name, or a menu-bar item, toolbar button or open menu's item
    // by its text; false when it is not shown.
    bool clickWidget(const QString& name);
    bool clickAction(const QString& text);
    static void type(const QString& text);
    static void key(const QString& keys);

    // Waits for the process to end by itself; its exit code, or -1 when it did not end.
    int waitForExit();

private:
    QProcess process_;
};

// The rectangle of a place the probe gave.
QRect rectOf(const QJsonObject& place);

} // namespace nidora::e2e
