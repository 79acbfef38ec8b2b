#pragma once

#include "core/PictureInput.h"
#include "framework/ControlKind.h"
#include "framework/DialogUnits.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <set>

namespace nidora::framework {

class Window;

// One control of a window: its number (its place in the window description, from 1), its name
// as the description spells it ("?MED:NOMBRE", "?OK"), which is also its widget's object name,
// its kind and the Qt widget that shows it. The window owns its controls; the widgets belong to
// the window's widget tree.
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int number() const { return number_; }
    const QString& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    QWidget* widget() const { return widget_; }
    Window& window() const { return *window_; }

    // Data controls (entries, text boxes, spins, check boxes, options, drop lists, lists) hold
    // a value of their procedure; the accept-all pass of a form takes them once more.
    virtual bool holdsData() const { return false; }
    // Shows the bound value again.
    virtual void display() { }
    // Shows the bound value as if the user had typed it: finishing with the control raises
    // its accepted event, so the value is taken and checked then, as typed input is.
    virtual void displayAsTyped() { display(); }
    // Takes what the control shows into its bound value; a refusal leaves the value as it was.
    virtual InputError commit() { return InputError::None; }
    // After a refusal of its text has been shown: the text stays for the user to mend, and
    // leaving the control again takes it (and refuses it) again.
    virtual void keepUnread() { }

    // Where controls placed inside this one go (a tab's page, an option group's box).
    virtual QWidget* container() const { return widget_; }

    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setVisible(bool visible);
    void setTip(const QString& tip);
    void setFont(const QFont& font);
    // What the control's field is filled with, a stored colour (0x00BBGGRR).
    void setBackground(quint32 colour);

    // A field the user must fill; the focus highlighter can mark it in a colour of its own.
    void setRequired(bool required) { required_ = required; }
    bool isRequired() const { return required_; }

    // Keys that raise an alert-key event on this control instead of their usual effect.
    void addAlertKey(int code) { alertKeys_.insert(code); }
    void removeAlertKey(int code) { alertKeys_.erase(code); }
    bool hasAlertKey(int code) const { return alertKeys_.count(code) != 0; }

protected:
    Control(ControlKind kind, QWidget* widget);

    // Queues an event of this control for its window's loop.
    void post(int code, const QVariant& value = {}) const;

    // Places a control that was added inside this one; by default as a child of container().
    virtual void adopt(Control& child, const QRect& pixels);
    // Called once the control has its window, number and name.
    virtual void attached() { }

private:
    friend class Window;

    ControlKind kind_;
    QPointer<QWidget> widget_;
    Window* window_ = nullptr;
    int number_ = 0;
    QString name_;
    bool required_ = false;
    std::set<int> alertKeys_;
};

} // namespace nidora::framework
