#include "reports/PreviewQuestions.h"

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
    : AnswerWindow(QStringLiteral("ReportPreview:") + caption, caption, kWidth,
        (title.isEmpty() ? 30 : 40) + 16 * int(fields.size()))
    , fields_(std::move(fields))
{
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
    addAnswerButtons(okTip, withCancel, cancelTip);
}

std::optional<std::vector<int>> NumberQuestionWindow::ask()
{
    if (!answered())
        return std::nullopt;
    std::vector<int> values;
    for (const NumberField& field : fields_)
        values.push_back(field.value);
    return values;
}

bool NumberQuestionWindow::takeAnswer()
{
    for (framework::Control* spin : spins_)
        spin->commit();
    return true;
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
