#include "reports/PageRangeControls.h"

#include "framework/ControlChoices.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"
#include "framework/Window.h"

namespace nidora::reports {

using framework::DialogRect;

PageRangeControls::PageRangeControls(framework::Window& window, int x, int y, const QString& title,
    const PageRangeTips& tips, PageChoice& choice, int pageCount, bool anyMarked)
    : choice_(choice)
    , rangeValue_(int(choice.range))
    , anyMarked_(anyMarked)
{
    group_ = &window.add<framework::OptionControl>(
        QStringLiteral("?PrintRange"), DialogRect { x, y, 120, 64 }, title, framework::bindTo(rangeValue_));
    const auto radio = [&](const char* name, const char* text, PageRange value, int row, const QString& tip) {
        auto& made = window.addIn<framework::RadioControl>(*group_, QString::fromLatin1(name),
            DialogRect { 6, 13 + 12 * row, 100, 10 }, QString::fromLatin1(text), int(value));
        made.setTip(tip);
        return &made;
    };
    radio("?AllPages", "All Pages", PageRange::All, 0, tips.all);
    marked_ = radio("?MarkedPages", "Marked Pages Only", PageRange::Marked, 1, tips.marked);
    unmarked_ = radio("?UnmarkedPages", "Unmarked Pages Only", PageRange::Unmarked, 2, tips.unmarked);
    radio("?RangeOfPages", "Range of Pages", PageRange::Range, 3, tips.range);
    const int count = std::max(1, pageCount);
    choice_.from = std::clamp(choice_.from, 1, count);
    choice_.to = std::clamp(choice_.to, 1, count);
    window.add<framework::PromptControl>(
        QStringLiteral("?FromPrompt"), DialogRect { x + 124, y + 40, 22, 10 }, QStringLiteral("From:"));
    from_ = &window.add<framework::SpinControl>(QStringLiteral("?PAGEFROM"),
        DialogRect { x + 146, y + 38, 36, 12 }, framework::bindTo(choice_.from), 1, count);
    from_->setTip(tips.from);
    window.add<framework::PromptControl>(
        QStringLiteral("?ToPrompt"), DialogRect { x + 124, y + 52, 22, 10 }, QStringLiteral("To:"));
    to_ = &window.add<framework::SpinControl>(QStringLiteral("?PAGETO"),
        DialogRect { x + 146, y + 50, 36, 12 }, framework::bindTo(choice_.to), 1, count);
    to_->setTip(tips.to);
    update();
}

void PageRangeControls::update()
{
    commit();
    marked_->setEnabled(anyMarked_);
    unmarked_->setEnabled(anyMarked_);
    const bool range = choice_.range == PageRange::Range;
    from_->setEnabled(range);
    to_->setEnabled(range);
}

void PageRangeControls::commit()
{
    group_->commit();
    from_->commit();
    to_->commit();
    rangeValue_ = std::clamp(rangeValue_, int(PageRange::All), int(PageRange::Range));
    // Without a marked page, only all pages or a range can be chosen.
    if (!anyMarked_ && (rangeValue_ == int(PageRange::Marked) || rangeValue_ == int(PageRange::Unmarked)))
        rangeValue_ = int(PageRange::All);
    choice_.range = PageRange(rangeValue_);
}

} // namespace nidora::reports
