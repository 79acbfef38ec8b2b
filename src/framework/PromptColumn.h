#pragma once

#include "framework/DialogUnits.h"
#include "framework/Window.h"

#include <QString>

#include <utility>

namespace nidora::framework {

// A column of prompt-and-field rows, on a window or inside one of its controls (a tab's page):
// each row is a prompt at the start of its line, named "<field's name>:Prompt", with its field
// (entry, drop list, spin ...) beside it, and the rows come one under another at a fixed step.
// Every control is added to the window as add() and addIn() would add it, the prompt just before
// its field, so a row's controls take the window's next numbers.
//
//   PromptColumn rows(*this, page,
//       { .promptX = 6, .fieldX = 78, .top = 76, .promptDown = 1, .fieldHeight = 11 });
//   // "?PAC:MADRE:Prompt" at { 6, 77, 70, 10 }, then "?PAC:MADRE" at { 78, 76, 150, 11 }
//   rows.row<EntryControl>(QStringLiteral("Madre:"), QStringLiteral("?PAC:MADRE"), { .width = 150 },
//       QStringLiteral("@s30"), entryValue(patient.MADRE));
//   // "?FLDLOOKUP" at { 230, 75, 14, 13 }, on the same line
//   rows.beside<ButtonControl>(QStringLiteral("?FLDLOOKUP"),
//       { .x = 230, .width = 14, .height = 13, .down = -1 }, QString(), QStringLiteral("buscar.ico"));
//   rows.skipTo(190); // the next row on line 190 rather than 90
class PromptColumn {
public:
    // Where the column's prompts and fields go, in dialog units.
    struct Layout {
        int promptX = 0;
        int fieldX = 0;
        int top = 0; // the first row's line
        int step = 14; // from one line to the next
        int promptWidth = 0; // 0: up to two units before the fields
        int promptHeight = 10;
        int promptDown = 0; // how far a prompt sits below its line
        int fieldHeight = 10;
    };
    // A field's place on its line. x 0 is the column's field x and height 0 the column's field
    // height; down moves it below its line (a taller drop list sits one unit above it: -1).
    struct Place {
        int x = 0;
        int width = 0;
        int height = 0;
        int down = 0;
    };

    PromptColumn(Window& window, const Layout& layout);
    PromptColumn(Window& window, Control& inside, const Layout& layout);

    // A new line: the prompt (none when its text is empty), then the field of kind C made from args.
    template <class C, class... Args>
    C& row(const QString& prompt, const QString& field, const Place& at, Args&&... args)
    {
        startLine();
        if (!prompt.isEmpty())
            addPrompt(prompt, layout_.promptX, field);
        return put<C>(field, rectOf(at), std::forward<Args>(args)...);
    }

    // Another control on the current line (a lookup button, a second entry).
    template <class C, class... Args> C& beside(const QString& name, const Place& at, Args&&... args)
    {
        return put<C>(name, rectOf(at), std::forward<Args>(args)...);
    }

    // Another field on the current line with a prompt of its own at promptX, as wide as the
    // column's prompts.
    template <class C, class... Args>
    C& besideWithPrompt(
        const QString& prompt, int promptX, const QString& field, const Place& at, Args&&... args)
    {
        addPrompt(prompt, promptX, field);
        return put<C>(field, rectOf(at), std::forward<Args>(args)...);
    }

    // The next row goes on this line, and the column steps on from there.
    void skipTo(int line) { next_ = line; }

private:
    void startLine();
    void addPrompt(const QString& text, int x, const QString& field);
    DialogRect rectOf(const Place& at) const;

    template <class C, class... Args> C& put(const QString& name, const DialogRect& at, Args&&... args)
    {
        if (inside_)
            return window_.addIn<C>(*inside_, name, at, std::forward<Args>(args)...);
        return window_.add<C>(name, at, std::forward<Args>(args)...);
    }

    Window& window_;
    Control* inside_;
    Layout layout_;
    int line_;
    int next_;
};

} // namespace nidora::framework
