#pragma once

#include "framework/WindowTestSupport.h"

#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlList.h"
#include "framework/ControlSheet.h"

#include <QApplication>
#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

namespace nidora::controls::test {

using framework::Control;
using framework::DialogRect;
using framework::Window;

// A text box of one line, as the window library has them; this program's own text boxes are
// all memos.
class OneLineText final : public Control {
public:
    OneLineText()
        : Control(framework::ControlKind::Text, new QLineEdit)
    {
    }
};

// The kinds of control a window is made of, each made the way the program's windows make it.
enum class Kind { Entry, OneLineText, Memo, Spin, Combo, List, DropList, Button, Radio, Check };

// A window of an entry, the control under test (named "?CONTROL"), another entry and an OK
// button; the OK button ends the loop. Every accepted control is noted in accepted.
class ComponentWindow : public Window {
public:
    ComponentWindow(Kind kind, std::function<void(ComponentWindow&)> prepare = {})
        : Window(QStringLiteral("Componentes"))
        , prepare_(std::move(prepare))
    {
        setCaption(QStringLiteral("Componentes"));
        setSize(200, 120);
        add<framework::EntryControl>(QStringLiteral("?ANTES"), DialogRect { 4, 4, 60, 12 },
            QStringLiteral("@s10"), framework::entryValue(before));
        addControlUnderTest(kind);
        add<framework::EntryControl>(QStringLiteral("?DESPUES"), DialogRect { 4, 80, 60, 12 },
            QStringLiteral("@s10"), framework::entryValue(after));
        ok = &add<framework::ButtonControl>(
            QStringLiteral("?OK"), DialogRect { 140, 100, 40, 14 }, QStringLiteral("OK"));
        setOkControl(ok);
    }

    QString before;
    QString after;
    QString memo;
    int number = 5;
    QString choice = QStringLiteral("B");
    QString ticked;
    Control* ok = nullptr;
    Control* underTest = nullptr;
    std::vector<std::string> accepted;

    // The name of the control that has the focus, empty when none of this window's has.
    std::string focused() const
    {
        const Control* control = controlOf(QApplication::focusWidget());
        return control ? control->name().toStdString() : std::string();
    }

protected:
    void onOpened() override
    {
        if (prepare_)
            prepare_(*this);
    }
    int onAccepted(Control& control) override
    {
        accepted.push_back(control.name().toStdString());
        if (&control == ok) {
            setResponse(Completed);
            return framework::handled::EndLoop;
        }
        return framework::handled::GoOn;
    }

private:
    void addControlUnderTest(Kind kind)
    {
        const QString name = QStringLiteral("?CONTROL");
        const DialogRect at { 4, 20, 120, 50 };
        const DialogRect line { 4, 20, 120, 12 };
        switch (kind) {
        case Kind::Entry:
            underTest = &add<framework::EntryControl>(
                name, line, QStringLiteral("@s10"), framework::entryValue(memo));
            break;
        case Kind::OneLineText:
            underTest = &add<OneLineText>(name, line);
            break;
        case Kind::Memo:
            underTest = &add<framework::TextControl>(name, at, framework::bindTo(memo));
            break;
        case Kind::Spin:
            underTest = &add<framework::SpinControl>(name, line, framework::bindTo(number), 0, 10);
            break;
        case Kind::Combo: {
            auto& combo = add<framework::ComboControl>(name, line, 10, 5, framework::bindTo(choice));
            combo.setChoices({ QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") });
            underTest = &combo;
            break;
        }
        case Kind::List: {
            auto& list = add<framework::ListControl>(name, at, QStringList { QStringLiteral("Nombre") });
            list.setRows(
                { { QStringLiteral("uno") }, { QStringLiteral("dos") }, { QStringLiteral("tres") } });
            list.setCurrentRow(1);
            underTest = &list;
            break;
        }
        case Kind::DropList:
            underTest = &add<framework::DropListControl>(name, line,
                std::vector<framework::DropListControl::Choice> {
                    { QStringLiteral("A"), QStringLiteral("A") },
                    { QStringLiteral("B"), QStringLiteral("B") },
                    { QStringLiteral("C"), QStringLiteral("C") } },
                framework::bindTo(choice));
            break;
        case Kind::Button:
            underTest = &add<framework::ButtonControl>(name, line, QStringLiteral("Botón"));
            break;
        case Kind::Radio: {
            auto& group = add<framework::OptionControl>(
                QStringLiteral("?GRUPO"), at, QStringLiteral("Sexo"), framework::bindTo(choice));
            underTest = &addIn<framework::RadioControl>(
                group, name, DialogRect { 4, 12, 60, 12 }, QStringLiteral("Varón"), QStringLiteral("B"));
            break;
        }
        case Kind::Check:
            underTest = &add<framework::CheckControl>(name, line, QStringLiteral("Vacunado"),
                framework::bindTo(ticked), QStringLiteral("S"), QStringLiteral("N"));
            break;
        }
    }

    std::function<void(ComponentWindow&)> prepare_;
};

// Runs a component window with the components a test installs, one window at a time.
class ComponentWindowTest : public framework::test::WindowsTest {
protected:
    explicit ComponentWindowTest(framework::WindowComponents components)
    {
        framework::setWindowComponents(std::move(components));
    }
    ~ComponentWindowTest() override
    {
        if (window)
            close();
        framework::setWindowComponents({});
    }

    void open(Kind kind, std::function<void(ComponentWindow&)> prepare = {})
    {
        driver.start([this, kind, prepare] {
            ComponentWindow shown(kind, prepare);
            window = &shown;
            shown.run();
            window = nullptr;
        });
        ASSERT_NE(window, nullptr);
    }

    void close()
    {
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(runUntil([this] { return window == nullptr; }));
    }

    void focus(const char* name)
    {
        window->control(QString::fromUtf8(name))->widget()->setFocus(Qt::TabFocusReason);
        driver.settle();
    }

    ComponentWindow* window = nullptr;
};

} // namespace nidora::controls::test
