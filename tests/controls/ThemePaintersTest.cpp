#include "framework/WindowTestSupport.h"

#include "controls/ThemeLibrary.h"
#include "controls/ThemeManager.h"
#include "controls/ThemedBorder.h"
#include "controls/ThemedComboBox.h"
#include "controls/ThemedEntry.h"
#include "controls/ThemedSheet.h"
#include "controls/ThemedSpinBox.h"
#include "framework/ControlChoices.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"
#include "framework/ControlList.h"
#include "framework/ControlSheet.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <typeinfo>

namespace nidora::controls::test {
namespace {

using framework::Control;
using framework::DialogRect;

// A window with a control of every kind that has a painter, and some that have none.
class ThemedWindow : public framework::Window {
public:
    ThemedWindow()
        : Window(QStringLiteral("Pintores"))
    {
        setCaption(QStringLiteral("Pintores"));
        setSize(240, 200);
        add<framework::PromptControl>(
            QStringLiteral("?PROMPT"), DialogRect { 4, 4, 40, 10 }, QStringLiteral("Nombre:"));
        add<framework::EntryControl>(QStringLiteral("?ENTRADA"), DialogRect { 50, 4, 60, 12 },
            QStringLiteral("@s10"), framework::entryValue(text));
        add<framework::TextControl>(
            QStringLiteral("?NOTAS"), DialogRect { 4, 20, 100, 30 }, framework::bindTo(text));
        add<framework::ListControl>(QStringLiteral("?LISTA"), DialogRect { 110, 20, 100, 30 },
            QStringList { QStringLiteral("Nombre") });
        add<framework::SpinControl>(
            QStringLiteral("?NUMERO"), DialogRect { 4, 56, 40, 12 }, framework::bindTo(number), 0, 9);
        auto& combo = add<framework::ComboControl>(
            QStringLiteral("?COMBO"), DialogRect { 50, 56, 60, 12 }, 10, 5, framework::bindTo(text));
        combo.setChoices({ QStringLiteral("uno"), QStringLiteral("dos") });
        add<framework::ComboControl>(
            QStringLiteral("?SINLISTA"), DialogRect { 120, 56, 60, 12 }, 10, 0, framework::bindTo(text));
        add<framework::DropListControl>(QStringLiteral("?SEXO"), DialogRect { 4, 72, 60, 12 },
            std::vector<framework::DropListControl::Choice> {
                { QStringLiteral("Varón"), QStringLiteral("M") },
                { QStringLiteral("Mujer"), QStringLiteral("F") },
                { QStringLiteral("Otro"), QStringLiteral("X") } },
            framework::bindTo(sex));
        add<framework::CheckControl>(QStringLiteral("?VACUNADO"), DialogRect { 70, 72, 60, 12 },
            QStringLiteral("Vacunado"), framework::bindTo(text), QStringLiteral("S"), QStringLiteral("N"));
        auto& sheet = add<framework::SheetControl>(QStringLiteral("?HOJA"), DialogRect { 4, 90, 200, 60 });
        addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), DialogRect {}, QStringLiteral("Datos"));
        ok = &add<framework::ButtonControl>(
            QStringLiteral("?OK"), DialogRect { 180, 170, 40, 14 }, QStringLiteral("OK"));
    }

    std::vector<Control*> every() const
    {
        std::vector<Control*> all;
        for (const auto& each : controls())
            all.push_back(each.get());
        return all;
    }

    QString text;
    int number = 0;
    QString sex = QStringLiteral("M");
    Control* ok = nullptr;
    std::function<void(ThemedWindow&)> prepare;

protected:
    // Every control is offered, so the manager's own choice by kind is what is seen.
    std::vector<Control*> themedControls() const override { return every(); }
    void onOpened() override
    {
        if (prepare)
            prepare(*this);
    }
    int onAccepted(Control& control) override
    {
        return &control == ok ? framework::handled::EndLoop : framework::handled::GoOn;
    }
};

// A painter that counts its kills in a counter that outlives it.
class CountingPainter final : public ThemedControl {
public:
    CountingPainter(ThemeLibrary& library, int& kills)
        : ThemedControl(library)
        , kills_(kills)
    {
    }
    bool init(Control& control) override { return attach(control, ThemeLibrary::Edit); }
    void kill() override
    {
        ++kills_;
        ThemedControl::kill();
    }

private:
    int& kills_;
};

class ThemePaintersTest : public framework::test::WindowsTest {
protected:
    ThemePaintersTest()
    {
        framework::setWindowComponents({ {}, {},
            [this] {
                auto made = std::make_unique<ThemeManager>(library);
                manager = made.get();
                return made;
            },
            [this] { return library.hasLib(); } });
    }
    ~ThemePaintersTest() override
    {
        if (window)
            driver.click(QStringLiteral("?OK"));
        framework::setWindowComponents({});
    }

    void open(std::function<void(ThemedWindow&)> prepare = {})
    {
        driver.start([this, prepare] {
            ThemedWindow shown;
            shown.prepare = prepare;
            window = &shown;
            shown.run();
            window = nullptr;
            manager = nullptr;
        });
        ASSERT_NE(window, nullptr);
    }

    void close()
    {
        driver.click(QStringLiteral("?OK"));
        ASSERT_TRUE(runUntil([this] { return window == nullptr; }));
    }

    template <class P> P& painterOf(const QString& name)
    {
        for (const auto& painter : manager->painters())
            if (painter->control() == window->control(name))
                return dynamic_cast<P&>(*painter);
        throw std::runtime_error("no painter");
    }

    void click(QWidget* widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent press(
            QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, {}, {});
        QApplication::sendEvent(widget, &release);
        driver.settle();
    }

    ThemeLibrary library;
    ThemeManager* manager = nullptr;
    ThemedWindow* window = nullptr;
};

TEST_F(ThemePaintersTest, EachKindGetsItsPainterAndEveryPainterLetsGoOnceWhenTheWindowEnds)
{
    int kills = 0;
    open();
    const struct {
        const char* control;
        const std::type_info& painter;
    } expected[] = {
        { "?ENTRADA", typeid(ThemedEntry) },
        { "?NOTAS", typeid(ThemedBorder) },
        { "?LISTA", typeid(ThemedBorder) },
        { "?NUMERO", typeid(ThemedSpinBox) },
        { "?COMBO", typeid(ThemedComboBox) },
        { "?SEXO", typeid(ThemedComboBox) },
        { "?HOJA", typeid(ThemedSheet) },
    };
    ASSERT_EQ(manager->painters().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const ThemedControl& painter = *manager->painters()[i];
        EXPECT_EQ(painter.control()->name().toStdString(), expected[i].control);
        EXPECT_EQ(typeid(painter), expected[i].painter) << expected[i].control;
        EXPECT_TRUE(painter.isAttached()) << expected[i].control;
        EXPECT_TRUE(painter.control()->widget()->property(kPainterProperty).isValid());
    }
    // An edit frame each, and the spin's and the two combos' buttons.
    EXPECT_EQ(library.openCount(), 7 + 3);

    auto counting = std::make_unique<CountingPainter>(library, kills);
    counting->init(*window->control(QStringLiteral("?PROMPT")));
    manager->registerPainter(std::move(counting));
    manager->registerPainter(nullptr);
    std::vector<QPointer<QWidget>> widgets;
    for (Control* control : window->every())
        widgets.emplace_back(control->widget());

    manager->kill();
    EXPECT_EQ(library.openCount(), 0);
    EXPECT_EQ(kills, 1);
    for (const QPointer<QWidget>& widget : widgets)
        EXPECT_FALSE(widget->property(kPainterProperty).isValid()) << widget->objectName().toStdString();
    close();
    EXPECT_EQ(kills, 1);
    EXPECT_EQ(library.openCount(), 0);
}

TEST_F(ThemePaintersTest, WithTheThemeOffThePaintersStayUnattachedAndOpenNothing)
{
    library.setThemeActive(false);
    open();
    EXPECT_EQ(manager->painters().size(), 7u);
    for (const auto& painter : manager->painters())
        EXPECT_FALSE(painter->isAttached());
    EXPECT_EQ(library.openCount(), 0);
    close();
}

TEST_F(ThemePaintersTest, TheFrameFollowsDisablingAndReadOnly)
{
    open();
    auto& entry = painterOf<ThemedEntry>(QStringLiteral("?ENTRADA"));
    Control& control = *window->control(QStringLiteral("?ENTRADA"));
    const auto stateAfterPaint = [&] {
        control.widget()->repaint();
        return entry.state();
    };
    EXPECT_EQ(stateAfterPaint(), ThemeLibrary::Normal);
    control.setEnabled(false);
    EXPECT_EQ(stateAfterPaint(), ThemeLibrary::Disabled);
    control.setEnabled(true);
    EXPECT_EQ(stateAfterPaint(), ThemeLibrary::Normal);
    static_cast<framework::EntryControl&>(control).setReadOnly(true);
    EXPECT_EQ(stateAfterPaint(), ThemeLibrary::ReadOnly);
    close();
}

// However the list was closed, the next click opens it again: the painter follows the list's
// own state instead of the last one it asked for.
TEST_F(ThemePaintersTest, OneClickOpensADropListHoweverItWasClosed)
{
    open();
    auto& painter = painterOf<ThemedComboBox>(QStringLiteral("?SEXO"));
    auto* combo = static_cast<QComboBox*>(window->control(QStringLiteral("?SEXO"))->widget());
    QWidget* popup = combo->view()->window();
    const std::pair<const char*, std::function<void()>> closings[] = {
        { "a row chosen",
            [&] {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(combo->view(), &enter);
            } },
        { "Escape",
            [&] {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(combo->view(), &escape);
            } },
        { "a click elsewhere", [&] { combo->hidePopup(); } },
    };
    for (const auto& [how, closeList] : closings) {
        SCOPED_TRACE(how);
        click(combo);
        ASSERT_TRUE(popup->isVisible());
        EXPECT_TRUE(painter.isDropped());
        closeList();
        driver.settle();
        ASSERT_FALSE(popup->isVisible());
        EXPECT_FALSE(painter.isDropped());
        click(combo);
        EXPECT_TRUE(popup->isVisible());
        click(combo);
        EXPECT_FALSE(popup->isVisible());
    }
    close();
}

TEST_F(ThemePaintersTest, ACombosButtonIsHotUnderThePointerAndNormalOnceItLeaves)
{
    open();
    auto& painter = painterOf<ThemedComboBox>(QStringLiteral("?COMBO"));
    QWidget* combo = window->control(QStringLiteral("?COMBO"))->widget();
    QCursor::setPos(combo->mapToGlobal(QPoint(2, 2)));
    QHoverEvent hover(QEvent::HoverMove, QPointF(2, 2), QPointF(2, 2), QPointF(1, 1));
    QApplication::sendEvent(combo, &hover);
    EXPECT_EQ(painter.buttonState(), ThemeLibrary::Hot);
    QCursor::setPos(combo->mapToGlobal(QPoint(-50, -50)));
    painter.updateHotState();
    EXPECT_EQ(painter.buttonState(), 0);
    close();
}

TEST_F(ThemePaintersTest, AListsFrameIsAroundItsContentAndItsScrollBar)
{
    open([](ThemedWindow& shown) {
        auto& list = static_cast<framework::ListControl&>(*shown.control(QStringLiteral("?LISTA")));
        std::vector<QStringList> rows;
        for (int row = 0; row < 40; ++row)
            rows.push_back({ QString::number(row) });
        list.setRows(rows);
    });
    auto& border = painterOf<ThemedBorder>(QStringLiteral("?LISTA"));
    auto* list = static_cast<QAbstractItemView*>(window->control(QStringLiteral("?LISTA"))->widget());
    list->repaint();
    ASSERT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_TRUE(border.frameRect().contains(list->verticalScrollBar()->geometry()));
    EXPECT_TRUE(border.frameRect().contains(list->viewport()->geometry()));
    EXPECT_EQ(border.frameRect(), list->contentsRect().adjusted(-1, -1, 1, 1));
    close();
}

} // namespace
} // namespace nidora::controls::test
