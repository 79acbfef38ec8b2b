#include "ThreadTestSupport.h"

#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "framework/PromptColumn.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace nidora::framework::test {
namespace {

struct Placed {
    const char* name;
    DialogRect at;
};

// Every control of the window from number `from` on, in number order, is the one expected, in
// the place expected, inside `container`.
void expectControls(const Window& window, int from, QWidget* container, const std::vector<Placed>& expected)
{
    ASSERT_EQ(window.controls().size(), static_cast<std::size_t>(from - 1) + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Control& control = *window.controls()[static_cast<std::size_t>(from - 1) + i];
        EXPECT_EQ(control.name(), QString::fromUtf8(expected[i].name)) << "control " << control.number();
        EXPECT_EQ(control.widget()->geometry(), window.units().toPixels(expected[i].at)) << expected[i].name;
        EXPECT_EQ(control.widget()->parentWidget(), container) << expected[i].name;
    }
}

// Two rows with entries, one with a second prompted field and a button beside it, a line
// without a prompt and a jump: the shapes the forms are made of.
void describeRows(PromptColumn& rows, QString& text)
{
    rows.row<EntryControl>(QStringLiteral("Nombre:"), QStringLiteral("?NOMBRE"), { .width = 100 },
        QStringLiteral("@s30"), entryValue(text));
    rows.besideWithPrompt<EntryControl>(QStringLiteral("N°"), 150, QStringLiteral("?NUMERO"),
        { .x = 170, .width = 30, .height = 12, .down = -1 }, QStringLiteral("@s5"), entryValue(text));
    rows.beside<ButtonControl>(QStringLiteral("?BUSCAR"), { .x = 204, .width = 14 }, QStringLiteral("..."));
    rows.row<EntryControl>(
        {}, QStringLiteral("?SEGUNDA"), { .width = 100 }, QStringLiteral("@s30"), entryValue(text));
    rows.skipTo(60);
    rows.row<EntryControl>(QStringLiteral("Notas:"), QStringLiteral("?NOTAS"), { .width = 80 },
        QStringLiteral("@s30"), entryValue(text));
}

class PromptColumnTest : public ThreadsTest { };

// The same rows on the window itself, with the column's defaults (prompts as wide as the room
// before the fields, less two units), and inside a tab's page after the controls before them.
TEST_F(PromptColumnTest, RowsStepDownWithTheirPromptsAtTheStartOfTheLine)
{
    struct Case {
        bool inPage;
        PromptColumn::Layout layout;
        std::vector<Placed> expected;
    };
    for (const Case& c : {
             Case { false, { .promptX = 6, .fieldX = 50, .top = 8, .step = 16, .promptDown = 2 },
                 { { "?NOMBRE:Prompt", { 6, 10, 42, 10 } }, { "?NOMBRE", { 50, 8, 100, 10 } },
                     { "?NUMERO:Prompt", { 150, 10, 42, 10 } }, { "?NUMERO", { 170, 7, 30, 12 } },
                     { "?BUSCAR", { 204, 8, 14, 10 } }, { "?SEGUNDA", { 50, 24, 100, 10 } },
                     { "?NOTAS:Prompt", { 6, 62, 42, 10 } }, { "?NOTAS", { 50, 60, 80, 10 } } } },
             Case { true,
                 { .promptX = 4,
                   .fieldX = 60,
                   .top = 4,
                   .promptWidth = 50,
                   .promptHeight = 9,
                   .fieldHeight = 11 },
                 { { "?NOMBRE:Prompt", { 4, 4, 50, 9 } }, { "?NOMBRE", { 60, 4, 100, 11 } },
                     { "?NUMERO:Prompt", { 150, 4, 50, 9 } }, { "?NUMERO", { 170, 3, 30, 12 } },
                     { "?BUSCAR", { 204, 4, 14, 11 } }, { "?SEGUNDA", { 60, 18, 100, 11 } },
                     { "?NOTAS:Prompt", { 4, 60, 50, 9 } }, { "?NOTAS", { 60, 60, 80, 11 } } } },
         }) {
        SCOPED_TRACE(c.inPage ? "in a page" : "on the window");
        Window window(QStringLiteral("Prueba:Columna"));
        window.setSize(240, 100);
        QString text;
        if (c.inPage) {
            auto& sheet = window.add<SheetControl>(QStringLiteral("?SHEET"), { 2, 2, 236, 96 });
            auto& page
                = window.addIn<TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
            PromptColumn rows(window, page, c.layout);
            describeRows(rows, text);
            expectControls(window, 3, page.container(), c.expected);
        } else {
            PromptColumn rows(window, c.layout);
            describeRows(rows, text);
            expectControls(window, 1, window.widget(), c.expected);
        }
    }
}

} // namespace
} // namespace nidora::framework::test
