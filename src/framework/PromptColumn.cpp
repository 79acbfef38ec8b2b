#include "framework/PromptColumn.h"

#include "framework/ControlLabels.h"

namespace nidora::framework {

PromptColumn::PromptColumn(Window& window, const Layout& layout)
    : window_(window)
    , inside_(nullptr)
    , layout_(layout)
    , line_(layout.top)
    , next_(layout.top)
{
    if (layout_.promptWidth == 0)
        layout_.promptWidth = layout_.fieldX - layout_.promptX - 2;
}

PromptColumn::PromptColumn(Window& window, Control& inside, const Layout& layout)
    : PromptColumn(window, layout)
{
    inside_ = &inside;
}

void PromptColumn::startLine()
{
    line_ = next_;
    next_ = line_ + layout_.step;
}

void PromptColumn::addPrompt(const QString& text, int x, const QString& field)
{
    put<PromptControl>(field + QStringLiteral(":Prompt"),
        { x, line_ + layout_.promptDown, layout_.promptWidth, layout_.promptHeight }, text);
}

DialogRect PromptColumn::rectOf(const Place& at) const
{
    return { at.x != 0 ? at.x : layout_.fieldX, line_ + at.down, at.width,
        at.height != 0 ? at.height : layout_.fieldHeight };
}

} // namespace nidora::framework
