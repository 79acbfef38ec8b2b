#pragma once

#include <QObject>
#include <QWidget>

namespace nidora::framework {

class Control;
class Window;

// The widget of a window: closing it only asks the window's loop to close, so the procedure
// decides (and runs its closing step) before anything goes.
class WindowWidget final : public QWidget {
public:
    explicit WindowWidget(Window& window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    Window& window_;
};

// Turns what happens on a window's controls into events of its loop: a control taking the focus
// is Selected, and an alert key is raised as an event instead of doing what it usually does.
class WindowInput final : public QObject {
public:
    explicit WindowInput(Window& window);

    // Watches a control's widget and everything inside it.
    void watch(QWidget* widget);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Window& window_;
    // A widget and its focus proxy both take the focus; the control is selected once.
    const Control* focused_ = nullptr;
};

} // namespace nidora::framework
