#include "framework/MessageBoxes.h"

#include "core/RecordMessages.h"
#include "framework/Await.h"

#include <QPushButton>

#include <utility>
#include <vector>

namespace nidora::framework {

namespace {

struct ButtonOfAnswer {
    core::Answer answer;
    QMessageBox::StandardButton button;
};

constexpr ButtonOfAnswer kButtons[] = {
    { core::Answer::Ok, QMessageBox::Ok },
    { core::Answer::Yes, QMessageBox::Yes },
    { core::Answer::No, QMessageBox::No },
    { core::Answer::Cancel, QMessageBox::Cancel },
};

QMessageBox::StandardButton buttonFor(core::Answer answer)
{
    for (const ButtonOfAnswer& entry : kButtons)
        if (entry.answer == answer)
            return entry.button;
    return QMessageBox::Ok;
}

// What a box closed without choosing a button means: the most cautious answer it offers.
core::Answer answerWhenDismissed(core::MessageButtons buttons)
{
    if (core::offers(buttons, core::Answer::Cancel))
        return core::Answer::Cancel;
    if (core::offers(buttons, core::Answer::No))
        return core::Answer::No;
    return core::Answer::Ok;
}

QMessageBox::Icon iconForLevel(int level)
{
    switch (static_cast<core::MessageLevel>(level)) {
    case core::MessageLevel::Question:
        return QMessageBox::Question;
    case core::MessageLevel::Fatal:
        return QMessageBox::Critical;
    case core::MessageLevel::Failure:
    case core::MessageLevel::Notice:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

core::Answer showMessage(const QString& text, const MessageOptions& options)
{
    QMessageBox box(options.icon, options.caption, text);
    std::vector<std::pair<QAbstractButton*, core::Answer>> answers;
    for (const ButtonOfAnswer& entry : kButtons) {
        if (!core::offers(options.buttons, entry.answer))
            continue;
        QPushButton* button = box.addButton(entry.button);
        answers.emplace_back(button, entry.answer);
        if (entry.answer == options.defaultAnswer)
            box.setDefaultButton(button);
    }
    box.setEscapeButton(box.button(buttonFor(answerWhenDismissed(options.buttons))));
    awaitDialog(box);
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    return answerWhenDismissed(options.buttons);
}

core::Answer MessageBoxPresenter::present(const core::MessageRequest& request)
{
    return showMessage(request.text,
        MessageOptions {
            request.title, iconForLevel(request.level), request.buttons, request.defaultAnswer });
}

} // namespace nidora::framework
