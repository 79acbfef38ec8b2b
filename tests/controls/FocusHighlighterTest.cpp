#include "ComponentWindow.h"

#include "controls/FocusHighlighter.h"
#include "controls/WindowDrawing.h"
#include "framework/Colour.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <gtest/gtest.h>

namespace nidora::controls::test {
namespace {

constexpr quint32 kYellow = 0x00FFFF;
constexpr quint32 kPink = colour::fromRgb(255, 192, 203);

quint32 backgroundOf(const QWidget* widget)
{
    return colour::fromQColor(widget->palette().color(QPalette::Base));
}

class FocusHighlighterTest : public ComponentWindowTest {
protected:
    FocusHighlighterTest()
        : ComponentWindowTest({ {}, [] { return std::make_unique<FocusHighlighter>(); }, {}, {} })
    {
    }

    FocusHighlighter& highlighter() { return static_cast<FocusHighlighter&>(window->highlighter()); }
};

TEST_F(FocusHighlighterTest, WithTheOptionsEveryWindowPassesItFollowsTheFocusAndChangesNothing)
{
    open(Kind::Spin);
    Control& before = *window->control(QStringLiteral("?ANTES"));
    const quint32 colour = backgroundOf(before.widget());
    const int weight = before.widget()->font().weight();
    focus("?ANTES");
    EXPECT_EQ(highlighter().scField(), before.number());
    EXPECT_EQ(highlighter().scColor(), colour);
    EXPECT_EQ(highlighter().scStyle(), weight);
    focus("?CONTROL");
    EXPECT_EQ(highlighter().scField(), window->underTest->number());
    EXPECT_EQ(backgroundOf(before.widget()), colour);
    EXPECT_EQ(before.widget()->font().weight(), weight);
    EXPECT_EQ(backgroundOf(window->underTest->widget()), backgroundOf(window->control(3)->widget()));
    EXPECT_TRUE(WindowDrawing::of(window->widget()).boxes().empty());
}

TEST_F(FocusHighlighterTest, ButtonsAndHiddenControlsAreNeverHighlighted)
{
    open(Kind::Entry);
    focus("?ANTES");
    focus("?OK");
    EXPECT_EQ(highlighter().scField(), 0);
    window->underTest->setVisible(false);
    EXPECT_FALSE(highlighter().canHighlight(window->underTest));
    highlighter().highlightControl(window->underTest);
    EXPECT_EQ(highlighter().scField(), 0);
}

TEST_F(FocusHighlighterTest, ColourChangeMarksARequiredFieldInItsColourAndGivesItsLookBack)
{
    open(Kind::Entry,
        [](ComponentWindow& shown) { shown.control(QStringLiteral("?ANTES"))->setRequired(true); });
    framework::HighlighterOptions options;
    options.changeColor = true;
    options.backgroundColor = kYellow;
    options.backgroundColorRequired = kPink;
    highlighter().setUp(*window, options);
    QWidget* required = window->control(QStringLiteral("?ANTES"))->widget();
    QWidget* plain = window->underTest->widget();
    const quint32 own = backgroundOf(required);
    const int ownWeight = required->font().weight();

    focus("?DESPUES");
    focus("?ANTES");
    EXPECT_EQ(backgroundOf(required), kPink);
    EXPECT_EQ(required->font().weight(), QFont::Bold);
    focus("?CONTROL");
    EXPECT_EQ(backgroundOf(required), own);
    EXPECT_EQ(required->font().weight(), ownWeight);
    EXPECT_EQ(backgroundOf(plain), kYellow);
}

TEST_F(FocusHighlighterTest, ListsKeepTheirLookAndACombosDroppedListKeepsItsOwn)
{
    framework::HighlighterOptions options;
    options.changeColor = true;
    open(Kind::List);
    highlighter().setUp(*window, options);
    const quint32 own = backgroundOf(window->underTest->widget());
    focus("?CONTROL");
    EXPECT_EQ(highlighter().scField(), window->underTest->number());
    EXPECT_EQ(backgroundOf(window->underTest->widget()), own);
    close();

    open(Kind::Combo);
    highlighter().setUp(*window, options);
    QWidget* dropped = static_cast<QComboBox*>(window->underTest->widget())->view();
    const quint32 droppedColour = backgroundOf(dropped);
    const int droppedWeight = dropped->font().weight();
    focus("?CONTROL");
    EXPECT_EQ(window->underTest->widget()->font().weight(), QFont::Bold);
    EXPECT_EQ(backgroundOf(dropped), droppedColour);
    EXPECT_EQ(dropped->font().weight(), droppedWeight);
}

TEST_F(FocusHighlighterTest, TheBoxFollowsTheFocusAndTheControlAfterAResize)
{
    open(Kind::Entry, [](ComponentWindow& shown) { shown.anchor(*shown.control(3), Qt::RightEdge); });
    framework::HighlighterOptions options;
    options.displayBox = true;
    options.displayIndicator = true;
    highlighter().setUp(*window, options);
    const WindowDrawing& drawing = WindowDrawing::of(window->widget());
    QWidget* after = window->control(3)->widget();

    focus("?ANTES");
    focus("?DESPUES");
    ASSERT_EQ(drawing.boxes().size(), 1u);
    ASSERT_EQ(drawing.texts().size(), 1u);
    EXPECT_TRUE(drawing.boxes()[0].rect.contains(after->geometry()));

    window->widget()->resize(window->widget()->size() + QSize(80, 0));
    driver.settle();
    ASSERT_EQ(drawing.boxes().size(), 1u);
    EXPECT_TRUE(drawing.boxes()[0].rect.contains(after->geometry()));
    EXPECT_EQ(highlighter().scPlace(), after->geometry());
    EXPECT_EQ(drawing.texts().size(), 1u);
    EXPECT_LT(drawing.texts()[0].rect.left(), after->geometry().left());
}

} // namespace
} // namespace nidora::controls::test
