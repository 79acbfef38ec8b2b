#include "core/ErrorManager.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace nidora::core {

ErrorManager AppErrorManager;

namespace {

const RecordMessage& messageNumbered(int number)
{
    const RecordMessage* message = findRecordMessage(number);
    if (message == nullptr)
        throw std::invalid_argument("no record-handling message numbered " + std::to_string(number));
    return *message;
}

// Without a presenter nobody can answer, so a question takes the answer that stops the
// operation: taking the default would repeat a retry question for ever.
Answer answerUnattended(const MessageRequest& request)
{
    qWarning(
        "Message %d (%s): %s", request.number, qUtf8Printable(request.title), qUtf8Printable(request.text));
    switch (request.buttons) {
    case MessageButtons::Ok:
        return Answer::Ok;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Ok;
}

} // namespace

ErrorManager::ErrorManager()
    : threadNumber_([] { return 1; })
    , endProgram_([] {
        // The data files are safe against an abrupt end; the windows and the event
        // loop are not in a state in which they could be closed in order.
        std::fflush(nullptr);
        std::_Exit(EXIT_FAILURE);
    })
{
}

void ErrorManager::setPresenter(MessagePresenter* presenter)
{
    presenter_ = presenter;
}

void ErrorManager::setThreadNumberProvider(ThreadNumberProvider provider)
{
    threadNumber_ = std::move(provider);
}

void ErrorManager::setEndProgram(EndProgram endProgram)
{
    endProgram_ = std::move(endProgram);
}

Answer ErrorManager::raise(int number, const MessageArgs& args)
{
    const RecordMessage& message = messageNumbered(number);
    return show(message, buttonsOf(message), args);
}

Answer ErrorManager::raiseWithCancel(int number, const MessageArgs& args)
{
    const RecordMessage& message = messageNumbered(number);
    if (message.level != MessageLevel::Question)
        throw std::invalid_argument("message " + std::to_string(number) + " is not a question");
    return show(message, MessageButtons::YesNoCancel, args);
}

Answer ErrorManager::show(const RecordMessage& message, MessageButtons buttons, const MessageArgs& args)
{
    // Questions ask for a decision and leave the thread's last failure as it was.
    if (message.level != MessageLevel::Question)
        setLastError({ message.number, args.errorCode, args.errorText, args.file, args.field, args.key });

    const MessageRequest request { message.number, static_cast<int>(message.level),
        QString::fromUtf8(message.title), composeText(message, args), buttons, defaultAnswerOf(buttons) };
    const Answer answer = presenter_ != nullptr ? presenter_->present(request) : answerUnattended(request);

    if (message.level == MessageLevel::Fatal) {
        endProgram_();
        return Answer::Ok;
    }
    return answer;
}

Answer ErrorManager::ask(const QString& title, const QString& text)
{
    const MessageRequest request { 0, static_cast<int>(MessageLevel::Question), title, text,
        MessageButtons::YesNo, Answer::Yes };
    return presenter_ != nullptr ? presenter_->present(request) : answerUnattended(request);
}

int ErrorManager::currentThread() const
{
    return threadNumber_();
}

void ErrorManager::setLastError(const ErrorStatus& status)
{
    const int thread = currentThread();
    const std::lock_guard lock(mutex_);
    lastErrors_[thread] = status;
}

ErrorStatus ErrorManager::lastError() const
{
    return lastError(currentThread());
}

ErrorStatus ErrorManager::lastError(int thread) const
{
    const std::lock_guard lock(mutex_);
    const auto found = lastErrors_.find(thread);
    return found == lastErrors_.end() ? ErrorStatus {} : found->second;
}

void ErrorManager::addProcedure(const QString& name)
{
    const int thread = currentThread();
    const std::lock_guard lock(mutex_);
    procedures_.push_back({ thread, name });
}

bool ErrorManager::removeProcedure()
{
    const int thread = currentThread();
    const std::lock_guard lock(mutex_);
    const auto latest = std::find_if(procedures_.rbegin(), procedures_.rend(),
        [thread](const ProcedureEntry& entry) { return entry.thread == thread; });
    if (latest == procedures_.rend())
        return false;
    procedures_.erase(std::next(latest).base());
    return true;
}

std::vector<ProcedureEntry> ErrorManager::procedures() const
{
    const std::lock_guard lock(mutex_);
    return procedures_;
}

void ErrorManager::forgetThread(int thread)
{
    const std::lock_guard lock(mutex_);
    lastErrors_.erase(thread);
    std::erase_if(procedures_, [thread](const ProcedureEntry& entry) { return entry.thread == thread; });
}

} // namespace nidora::core
