#pragma once

#include <QString>

namespace nidora::core {

// The button the user chose; Ok is the only answer a notice has.
enum class Answer { Ok, Yes, No, Cancel };

enum class MessageButtons { Ok, YesNo, YesNoCancel };

inline bool offers(MessageButtons buttons, Answer answer)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return answer == Answer::Ok;
    case MessageButtons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case MessageButtons::YesNoCancel:
        return answer == Answer::Yes || answer == Answer::No || answer == Answer::Cancel;
    }
    return false;
}

// One message ready to be shown: its text has its placeholders filled and its line
// breaks as '\n', and a fatal message already carries its closing sentence.
struct MessageRequest {
    int number = 0;
    int level = 0;
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    Answer defaultAnswer = Answer::Ok;
};

// The one way the error manager puts a message in front of the user. The window frame
// gives the program's message boxes; tests script the answers. A presenter called on a
// logical thread waits for the user by yielding to the scheduler, never in a nested
// event loop, so other threads' windows keep running meanwhile.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual Answer present(const MessageRequest& request) = 0;
};

} // namespace nidora::core
