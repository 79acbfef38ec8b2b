#include "framework/MessageBoxes.h"

#include "framework/Await.h"
#include "framework/RecordMessages.h"

#include <QPushButton>

#include <utility>
#include <vector>

namespace nidora::framework {

namespace {

struct ButtonOfAnswer {
    Answer answer;
    QMessageBox::StandardButton button;
};

constexpr ButtonOfAnswer kButtons[] = {
    { Answer::Ok, QMessageBox::Ok },
    { Answer::Yes, QMessageBox::Yes },
    { Answer::No, QMessageBox::No },
    { Answer::Cancel, QMessageBox::Cancel },
};

QMessageBox::StandardButton buttonFor(Answer answer)
{
    for (const ButtonOfAnswer& entry : kButtons)
        if (entry.answer == answer)
            return entry.button;
    return QMessageBox::Ok;
}

// What a box closed without choosing a button means: the most cautious answer it offers.
Answer answerWhenDismissed(MessageButtons buttons)
{
    if (offers(buttons, Answer::Cancel))
        return Answer::Cancel;
    if (offers(buttons, Answer::No))
        return Answer::No;
    return Answer::Ok;
}

QMessageBox::Icon iconForLevel(int level)
{
    switch (static_cast<MessageLevel>(level)) {
    case MessageLevel::Question:
        return QMessageBox::Question;
    case MessageLevel::Fatal:
        return QMessageBox::Critical;
    case MessageLevel::Failure:
    case MessageLevel::Notice:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

Answer showMessage(const QString& text, const MessageOptions& options)
{
    QMessageBox box(options.icon, options.caption, text);
    std::vector<std::pair<QAbstractButton*, Answer>> answers;
    for (const ButtonOfAnswer& entry : kButtons) {
        if (!offers(options.buttons, entry.answer))
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

Answer MessageBoxPresenter::present(const MessageRequest& request)
{
    return showMessage(request.text,
        MessageOptions {
            request.title, iconForLevel(request.level), request.buttons, request.defaultAnswer });
}

} // namespace nidora::framework
