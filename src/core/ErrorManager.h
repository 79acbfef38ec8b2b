#pragma once

#include "core/MessagePresenter.h"
#include "core/RecordMessages.h"

#include <QString>

#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace nidora::core {

// The last failure reported on one logical thread.
struct ErrorStatus {
    int messageNumber = 0; // 0 when the failure was recorded without a message
    int errorCode = 0; // the storage layer's error number
    QString errorText {};
    QString file {};
    QString field {};
    QString key {};

    bool operator==(const ErrorStatus&) const = default;
};

struct ProcedureEntry {
    int thread = 0;
    QString name {};

    bool operator==(const ProcedureEntry&) const = default;
};

// Shows the numbered record-handling messages, keeps each logical thread's last error
// and the list of running procedures. One instance serves the whole program
// (AppErrorManager); tests make their own.
class ErrorManager {
public:
    using ThreadNumberProvider = std::function<int()>;
    using EndProgram = std::function<void()>;

    // Until told otherwise every caller is thread 1, messages go to the diagnostic
    // output and a fatal message ends the process.
    ErrorManager();
    ErrorManager(const ErrorManager&) = delete;
    ErrorManager& operator=(const ErrorManager&) = delete;

    // The presenter is not owned; nullptr falls back to the diagnostic output.
    void setPresenter(MessagePresenter* presenter);
    void setThreadNumberProvider(ThreadNumberProvider provider);
    // Run after a fatal message is acknowledged; it is not expected to return.
    void setEndProgram(EndProgram endProgram);

    // Shows message `number` with its placeholders filled and returns the answer. A
    // message that is not a question records its values as the calling thread's last
    // error first. An unknown number is a programming error (std::invalid_argument).
    Answer raise(int number, const MessageArgs& args = {});
    // The same question with a Cancel button as well, Cancel the default, for callers
    // that let the user go back to what they were doing. Only for questions.
    Answer raiseWithCancel(int number, const MessageArgs& args = {});

    // A question of the program's own, in its own words, Yes the default; not a numbered
    // message, so the thread's last failure stays as it was.
    Answer ask(const QString& title, const QString& text);

    // For failures that show nothing (the "try" operations) and for reading back.
    void setLastError(const ErrorStatus& status);
    ErrorStatus lastError() const;
    ErrorStatus lastError(int thread) const;

    void addProcedure(const QString& name);
    // Removes the calling thread's latest entry; false when it has none.
    bool removeProcedure();
    // Every entry, oldest first.
    std::vector<ProcedureEntry> procedures() const;

    // When a thread ends its number is given out again, so nothing of it may remain:
    // its error status and any entries a procedure failed to remove are dropped.
    void forgetThread(int thread);

private:
    Answer show(const RecordMessage& message, MessageButtons buttons, const MessageArgs& args);
    int currentThread() const;

    // Fixed at start-up, before other threads run.
    MessagePresenter* presenter_ = nullptr;
    ThreadNumberProvider threadNumber_;
    EndProgram endProgram_;

    // Never held while a message is shown: the presenter lets other logical threads
    // run, and they may raise messages of their own.
    mutable std::mutex mutex_;
    std::map<int, ErrorStatus> lastErrors_;
    std::vector<ProcedureEntry> procedures_;
};

extern ErrorManager AppErrorManager;

} // namespace nidora::core
