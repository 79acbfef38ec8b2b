#pragma once

#include "ThreadTestSupport.h"
#include "core/ErrorManager.h"
#include "driver/WindowDriver.h"
#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"

#include <string>
#include <vector>

namespace nidora::framework::test {

// A scheduler, a driver, and the program's error manager told which logical thread calls it.
class WindowsTest : public ThreadsTest {
protected:
    WindowsTest() { core::AppErrorManager.setThreadNumberProvider(&CurrentThreadNumber); }
    ~WindowsTest() override
    {
        core::AppErrorManager.setThreadNumberProvider([] { return 1; });
    }

    nidora::test::WindowDriver driver;
};

// A small window: an entry bound to a number, an OK button that ends the loop, and handlers
// whose answers a test chooses; every handler notes that it ran.
class SampleWindow : public Window {
public:
    explicit SampleWindow(const QString& caption, std::vector<std::string>* log = nullptr)
        : Window(QStringLiteral("Sample:") + caption)
        , log_(log)
    {
        setCaption(caption);
        setSize(160, 60);
        code_ = &add<EntryControl>(
            QStringLiteral("?CODIGO"), DialogRect { 4, 4, 40, 12 }, QStringLiteral("@n3"), entryValue(value));
        ok_ = &add<ButtonControl>(
            QStringLiteral("?OK:") + caption, DialogRect { 4, 30, 40, 14 }, QStringLiteral("OK"));
    }

    int value = 0;
    int acceptedResult = handled::GoOn;
    int fieldEventResult = handled::GoOn;
    int seenRequest = -1;
    std::function<void()> onOk;

protected:
    bool onSetUp() override
    {
        seenRequest = request();
        note("set-up");
        return true;
    }
    int onAccepted(Control& control) override
    {
        note("accepted " + control.name().toStdString());
        if (&control == ok_) {
            if (onOk) {
                onOk();
                return handled::GoOn;
            }
            setResponse(Completed);
            return handled::EndLoop;
        }
        return acceptedResult;
    }
    int onFieldEvent(Control& control, const ThreadEvent& event) override
    {
        if (event.code == event::Accepted)
            note("field event " + control.name().toStdString());
        return fieldEventResult;
    }
    int onWindowEvent(const ThreadEvent& event) override
    {
        if (event.code < event::FirstFrameEvent)
            note("window event " + std::to_string(event.code));
        return Window::onWindowEvent(event);
    }

private:
    void note(const std::string& what)
    {
        if (log_)
            log_->push_back(what);
    }

    std::vector<std::string>* log_;
    Control* code_;
    Control* ok_;
};

} // namespace nidora::framework::test
