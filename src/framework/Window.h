#pragma once

#include "framework/Control.h"
#include "framework/DialogUnits.h"
#include "framework/Requests.h"
#include "framework/ThreadEventQueue.h"
#include "framework/ThreadWindows.h"
#include "framework/WindowComponents.h"

#include <QFont>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace nidora::framework {

class ThreadContext;
class WindowInput;
class WindowWidget;

// What every handler of a window answers.
namespace handled {
constexpr int GoOn = 0; // the handling goes on
constexpr int EndLoop = 3; // the event loop ends at once and the window closes
constexpr int Consumed = 5; // the event is consumed: no further handling runs for it
} // namespace handled

// The frame every window procedure runs on. A procedure describes its window (caption, font,
// size, numbered controls) in its constructor, overrides the handlers it needs and calls run(),
// which sets the window up, runs its event loop on the procedure's logical thread, closes it and
// leaves the response in the thread's CallResponse.
//
// Handlers run on the logical thread's fiber, never inside a widget's own event handler, so they
// may show messages and call forms and lookups.
class Window {
public:
    // name: the procedure's name exactly as written ("USUARIOS:Ficha"), given to the error
    // manager's list of running procedures. Made on the procedure's own logical thread.
    explicit Window(QString procedureName);
    // A window that installs neither the keyboard navigator nor the focus highlighter (the
    // calendar, which takes the arrow keys and Enter for itself).
    struct WithoutComponents { };
    Window(QString procedureName, WithoutComponents);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The description, before run().
    void setCaption(const QString& caption);
    QString caption() const;
    void setIcon(const QIcon& icon);
    // The window font, by the family the description names (substituted where it must be);
    // "MS Sans Serif" at 8 points when it names none.
    void setFont(const QString& family, int pointSize);
    // The window's inner size in dialog units.
    void setSize(int width, int height);
    // Where the window opens: at a place in dialog units from the workspace's top left (its
    // frame's corner), or centred in the workspace; without either, at the top left corner.
    void setPosition(int x, int y);
    void setCentred();
    // A resizable window can be made larger than its size, never smaller; any other keeps it.
    void setResizable(bool resizable) { resizable_ = resizable; }
    bool resizable() const { return resizable_; }
    // A picture of the program's own ("fondo.bmp") tiled behind the window's controls.
    void setWallpaper(const QString& picture);
    const DialogUnits& units() const { return units_; }

    // Adds a control of kind C (made from args) at a place in dialog units and gives it the
    // next number. addIn places it inside another control (a tab's page, an option group).
    template <class C, class... Args> C& add(const QString& name, const DialogRect& at, Args&&... args);
    template <class C, class... Args>
    C& addIn(Control& parent, const QString& name, const DialogRect& at, Args&&... args);

    // The edges of the window that a control follows when the window is resized (EdgeAnchors.h),
    // from the place it was added at; given with the description, before run().
    void anchor(Control& control, Qt::Edges edges);

    Control* control(int number) const;
    Control* control(const QString& name) const;
    // The control that holds object (a control's widget or a widget inside it), if any.
    Control* controlOf(const QObject* object) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    QWidget* widget() const;
    const QString& procedureName() const { return procedureName_; }
    ThreadContext& thread() const { return thread_; }

    // The life cycle: set-up, the event loop when set-up succeeded, the closing step. Returns
    // the response (Cancelled when none was set), which is also left in CallResponse.
    int run();

    int request() const { return request_; }
    // The request the window was opened with, kept when a form changes its request.
    int openedRequest() const { return openedRequest_; }
    void setRequest(int value) { request_ = value; }
    int response() const { return response_; }
    void setResponse(int value) { response_ = value; }

    // The control the focus goes to first and returns to after a failed save (1 by default).
    int firstControl() const { return firstControl_; }
    void setFirstControl(int number) { firstControl_ = number; }
    // A form's OK button (none by default); a form leaves it out of the navigator's order.
    Control* okControl() const { return okControl_; }
    void setOkControl(Control* control, bool leaveOutOfTabOrder = true);

    // A procedure notes that its set-up opened its files, so the closing step closes them.
    void noteFilesOpened() { filesOpened_ = true; }
    bool filesOpened() const { return filesOpened_; }

    // Acting from handlers. Selecting a prompt selects the first control after it that takes
    // the focus; selecting a control on a page of a sheet that is not in front brings that
    // page forward.
    void select(int number);
    void select(Control& control);
    // Posts an event with no control to this window (a code of the procedure's own, a close).
    void post(int code, const QVariant& value = {});
    void post(int code, QObject* source, const QVariant& value);
    void requestClose();
    // Once the window is open: restores it when minimised and makes it the active window. A
    // focus-gained event posted to the thread without a source does this to the window whose
    // loop takes it.
    void bringToFront();
    // Raises a timer event every so many hundredths of a second; 0 stops it.
    void setTimer(int hundredths);
    int timer() const { return timerHundredths_; }
    // Keys that raise an alert-key event on whatever control has the focus.
    void addAlertKey(int code) { alertKeys_.insert(code); }
    bool isAlertKey(const Control* control, int code) const;
    // Every data control shows its bound value again.
    void display();
    // Every data control's shown value taken into its variable, with no handler run; a refused
    // text leaves its variable as it was.
    void updateFields();
    // Takes every data control once more, in window order, as its own acceptance would, those
    // on pages not in front included; false when one refused its text or its handler moved the
    // focus (selected a control, its own included, or the focus went elsewhere): the pass
    // ended there, with the page of the control it stopped at in front.
    bool acceptAll();

    KeyboardNavigator& navigator() { return *navigator_; }
    FocusHighlighter& highlighter() { return *highlighter_; }

protected:
    // Preparation before the window opens (opening the procedure's files and the like); false
    // ends the procedure with response Cancelled.
    virtual bool onSetUp() { return true; }
    // The procedure's own work once the window is open.
    virtual void onOpened() { }
    // The controls handed to the theme manager when the desktop theme library is loaded: by
    // default the entries, lists, drop lists, combos, spins, text boxes and sheets.
    virtual std::vector<Control*> themedControls() const;
    // Closes what onSetUp opened; run by the closing step only when noteFilesOpened() was called.
    virtual void closeFiles() { }

    // Event handlers, each answering a value of `handled`.
    virtual int onWindowEvent(const ThreadEvent& event);
    virtual int onTimer() { return handled::GoOn; }
    virtual int onAccepted(Control& control);
    virtual int onFieldEvent(Control& control, const ThreadEvent& event);
    virtual int onNewSelection(Control& control);
    virtual int onSelected(Control& control);
    // By default says why the input was refused and keeps the focus on the control.
    virtual int onRejected(Control& control, InputError error);

private:
    friend class WindowInput;
    friend class WindowWidget;

    Window(QString procedureName, bool withComponents);

    Control& place(std::unique_ptr<Control> made, Control* parent, const QString& name, const DialogRect& at);
    // Puts the anchored controls where their edges say for the window's present size.
    void layOutAnchored();
    Control& focusTaker(Control& target) const;
    bool setUp();
    void open();
    void runEventLoop();
    int takeEvent(const ThreadEvent& event);
    // The program's close-down, taken as the close box would be.
    int takeCloseDown();
    int takeControlEvent(Control& control, const ThreadEvent& event);
    void closingStep();
    void dispose();

    QString procedureName_;
    ThreadContext& thread_;
    std::unique_ptr<KeyboardNavigator> navigator_;
    std::unique_ptr<FocusHighlighter> highlighter_;
    WindowWidget* widget_; // owned here until shown, then by its frame in the workspace
    QPointer<QWidget> frame_;
    std::unique_ptr<WindowInput> input_;
    std::unique_ptr<ThemeManager> themeManager_;
    std::vector<std::unique_ptr<Control>> controls_;
    struct Anchored {
        Control* control;
        Qt::Edges edges;
        QRect placed;
    };
    std::vector<Anchored> anchored_;
    std::optional<ThreadWindowScope> onTop_;
    DialogUnits units_;
    QSize size_ { 200, 100 };
    std::optional<QPoint> position_ { QPoint(0, 0) }; // dialog units; none: centred
    bool resizable_ = false;
    QTimer timer_;
    std::set<int> alertKeys_;

    int request_ = 0;
    int openedRequest_ = 0;
    int response_ = 0;
    int firstControl_ = 1;
    Control* okControl_ = nullptr;
    bool leaveOkOutOfTabOrder_ = false;
    bool filesOpened_ = false;
    bool named_ = false;
    int timerHundredths_ = 0;
    int selections_ = 0; // select() calls, so the accept-all pass sees a handler's
};

template <class C, class... Args> C& Window::add(const QString& name, const DialogRect& at, Args&&... args)
{
    return static_cast<C&>(place(std::make_unique<C>(std::forward<Args>(args)...), nullptr, name, at));
}

template <class C, class... Args>
C& Window::addIn(Control& parent, const QString& name, const DialogRect& at, Args&&... args)
{
    return static_cast<C&>(place(std::make_unique<C>(std::forward<Args>(args)...), &parent, name, at));
}

// Calls a form or lookup on the caller's own thread: sets CallRequest, runs the procedure and
// returns the CallResponse it left.
int callWithRequest(int request, const std::function<void()>& procedure);

} // namespace nidora::framework
