#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QWidget>

namespace nidora::framework {
class Control;
}

namespace nidora::controls {

class ThemeLibrary;

// The name of the property that a taken-over control carries: the painter that took it over.
inline constexpr const char* kPainterProperty = "PXPControlClassAddr";

// Draws one control's frame in the desktop theme over the toolkit's own drawing of it. Attaching
// takes the control over (its events come here first), after each paint of the control its frame
// is drawn again in the state that follows enabling, disabling and read-only; while attached a
// 100 ms timer lets a painter follow the pointer for its hot buttons. Killing gives the control
// back and closes the theme data the painter opened.
//
// The frame is the one-pixel ring around the control's content: only the ring (and a painter's
// buttons) is painted, so what the control shows stays as the toolkit painted it.
class ThemedControl : public QObject {
public:
    explicit ThemedControl(ThemeLibrary& library);
    ~ThemedControl() override;

    // Set by the theme manager when the theme library is not loaded: attaching then fails.
    void setNoLib(bool noLib) { noLib_ = noLib; }

    // Takes the control over; false when it could not be (no library, no theme data), and the
    // painter then draws nothing.
    virtual bool init(framework::Control& control) = 0;
    // Gives the control back and lets go of the theme data; a second call does nothing.
    virtual void kill();
    // Draws the frame (and a painter's buttons); run after the control has painted itself.
    virtual void draw(QPainter& painter);
    // Follows the pointer for hot buttons; by default there are none.
    virtual void updateHotState() { }
    // Asks for the control to be painted again.
    virtual void refresh();

    bool isAttached() const { return !widget_.isNull(); }
    int state() const { return state_; }
    // The frame drawn last, in the control's own coordinates.
    QRect frameRect() const { return frame_; }
    framework::Control* control() const { return control_; }
    int timesKilled() const { return timesKilled_; }

protected:
    // The base attach: opens the theme data of the class and takes the control's widget over.
    bool attach(framework::Control& control, const char* themeClass);
    // The frame's rectangle, in the widget's coordinates; by default the whole widget.
    virtual QRect frameOf() const;
    // The frame itself, clipped to its ring; by default the theme's edit frame.
    virtual void paintFrame(QPainter& painter, const QRect& frame);
    // The events of the taken-over widget (and of any other object the painter watches); true
    // consumes one.
    virtual bool takeMessage(QObject* watched, QEvent* event);
    // Lets the control handle the event itself now, before the painter goes on with it.
    static bool passOn(QObject* watched, QEvent* event);

    // Theme data opened beside the base one; closed with it.
    int openExtra(const char* themeClass);
    void drawPart(int data, QPainter& painter, int part, int state, const QRect& rect) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* widget() const { return widget_; }
    ThemeLibrary& library() const { return library_; }
    int hTheme() const { return hTheme_; }
    bool isVisible() const { return isVisible_; }
    bool isEnabled() const { return isEnabled_; }
    bool hasVScroll() const { return hasVScroll_; }
    bool hasHScroll() const { return hasHScroll_; }

private:
    void readState();
    // Gives the control back and closes the theme data, once.
    void release();

    ThemeLibrary& library_;
    framework::Control* control_ = nullptr;
    QPointer<QWidget> widget_;
    QTimer timer_;
    QRect frame_;
    int hTheme_ = 0;
    int extraTheme_ = 0;
    int state_ = 0;
    int timesKilled_ = 0;
    bool noLib_ = false;
    bool isVisible_ = false;
    bool isEnabled_ = false;
    bool hasVScroll_ = false;
    bool hasHScroll_ = false;
};

} // namespace nidora::controls
