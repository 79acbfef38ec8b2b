#include "reports/PreviewQuestions.h"

#include "framework/ControlButton.h"
#include "framework/ControlEdits.h"
#include "framework/ControlLabels.h"

#include <algorithm>

namespace nidora::reports {

using framework::DialogRect;

namespace {

// Wide enough for the longer caption.
constexpr int kWidth = 170;

} // namespace

NumberQuestionWindow::NumberQuestionWindow(const QString& caption, const QString& title,
    std::vector<NumberField> fields, const QString& okTip, bool withCancel, const QString& cancelTip)
    : Window(QStringLiteral("ReportPreview:") + caption)
    , fields_(std::move(fields))
{
    setCaption(caption);
    setCentred();
    int y = 6;
    if (!title.isEmpty()) {
        add<framework::PromptControl>(QStringLiteral("?Title"), DialogRect { 8, 4, 100, 10 }, title);
        y = 16;
    }
    for (NumberField& field : fields_) {
        add<framework::PromptControl>(QStringLiteral("?%1Prompt").arg(QLatin1String(field.name)),
            DialogRect { 10, y + 2, 40, 10 }, QString::fromLatin1(field.prompt));
        field.value = std::clamp(field.value, field.lowest, field.highest);
        spins_.push_back(&add<framework::SpinControl>(QLatin1String(field.name), DialogRect { 54, y, 40, 12 },
            framework::bindTo(field.value), field.lowest, field.highest));
        y += 16;
    }
    setSize(kWidth, y + 22);
    ok_ = &add<framework::ButtonControl>(QStringLiteral("?OkButton"),
        DialogRect { withCancel ? kWidth - 110 : kWidth - 55, y + 4, 50, 14 }, QStringLiteral("OK"));
    ok_->setTip(okTip);
    static_cast<framework::ButtonControl*>(ok_)->setDefault(true);
    if (withCancel) {
        cancel_ = &add<framework::ButtonControl>(QStringLiteral("?CancelButton"),
            DialogRect { kWidth - 55, y + 4, 50, 14 }, QStringLiteral("Cancel"));
        cancel_->setTip(cancelTip);
    }
}

std::optional<std::vector<int>> NumberQuestionWindow::ask()
{
    if (run() != Completed)
        return std::nullopt;
    std::vector<int> values;
    for (const NumberField& field : fields_)
        values.push_back(field.value);
    return values;
}

int NumberQuestionWindow::onAccepted(framework::Control& control)
{
    if (&control == ok_) {
        for (framework::Control* spin : spins_)
            spin->commit();
        setResponse(Completed);
        return framework::handled::EndLoop;
    }
    if (&control == cancel_) {
        setResponse(Cancelled);
        return framework::handled::EndLoop;
    }
    return framework::handled::GoOn;
}

std::optional<int> askPageToJumpTo(int current, int pageCount)
{
    NumberQuestionWindow window(QStringLiteral("Jump to a Report Page"), {},
        { { "?PAGE", "&Page:", current, 1, std::max(1, pageCount) } },
        QStringLiteral("Jump to the selected page"), true, QStringLiteral("Cancel this selection"));
    const auto answer = window.ask();
    return answer ? std::optional<int>(answer->front()) : std::nullopt;
}

std::optional<std::pair<int, int>> askThumbnailGrid(int across, int down)
{
    NumberQuestionWindow window(QStringLiteral("Change the Report Display"),
        QStringLiteral("Pages Displayed"),
        { { "?PAGESACROSS", "Across", across, 1, 10 }, { "?PAGESDOWN", "Down", down, 1, 10 } }, {}, false);
    const auto answer = window.ask();
    return answer ? std::optional(std::pair((*answer)[0], (*answer)[1])) : std::nullopt;
}

} // namespace nidora::reports
