#pragma once

#include "core/MessagePresenter.h"

#include <QString>

#include <span>

namespace nidora::core {

// How a record-handling message behaves once shown.
enum class MessageLevel {
    Question = 1, // Yes lets the operation go on, No stops it
    Failure = 2, // a notice; the operation fails
    Fatal = 3, // a notice after which the program ends
    Notice = 5, // a notice with an OK button; the operation fails
};

struct RecordMessage {
    int number;
    MessageLevel level;
    const char* title;
    // As written in the table: placeholders %File, %Field, %Key, %Message, %ErrorText,
    // and '|' for a line break.
    const char* text;
    // A few questions let the user stay where they are as well: Yes, No and Cancel,
    // Cancel the default.
    bool offersCancel = false;
};

// The numbers of the record-handling messages, named for what they tell the user, so that a
// caller reads as what happened: report(message::DuplicateKey, ...).
namespace message {
enum Number : int {
    RetrievalError = 1, // a record could not be read
    ReadOnlyAccess = 2, // no write access: trying read-only
    RecordAdded = 3,
    InsertError = 4,
    AddNewRecord = 5,
    CloseError = 6,
    ChangedElsewhere = 7, // the record was changed by another station
    ChangedElsewhereShown = 8, // ... and its changes will now be displayed
    ChangedOrDeletedElsewhere = 9,
    ChangesWillBeLost = 10,
    ConfirmDelete = 11,
    CreateError = 12, // a missing file could not be created
    DeleteError = 13,
    CannotDelete = 14, // this form cannot delete
    DuplicateKey = 15,
    MustExist = 16, // a field's value must be found in another file
    OutOfRange = 19,
    LoadError = 21,
    CannotInsert = 23, // this form cannot insert
    TransactionError = 24,
    NoRecords = 25,
    OpenError = 26, // a file could not be opened: the program ends
    UpdateError = 28,
    KeyRebuildError = 29,
    InvalidKey = 30, // the keys must be rebuilt
    RecordHeld = 31, // held by another station
    RestrictedDelete = 33, // dependants forbid the delete
    RestrictedUpdate = 34, // dependants forbid the change
    AutoNumberError = 35,
    RetryDelete = 36,
    RetryUpdate = 37,
    SaveChanges = 38,
    BeginningOfFile = 39,
    EndOfFile = 40,
    CannotUpdate = 41, // this form cannot change
    FileNotOpen = 42,
    ViewOpenError = 43,
};
} // namespace message

// What fills a message's placeholders, e.g. {.file = "MOTIVOS", .message = "MOT:KMOTIVO"}.
// %ErrorText is the storage layer's error text followed by its error number in brackets.
struct MessageArgs {
    QString file {};
    QString field {};
    QString key {};
    QString message {};
    QString errorText {};
    int errorCode = 0;
};

// Every numbered message the program raises, in number order.
std::span<const RecordMessage> recordMessages();

// The message with that number, or nullptr when the table has none.
const RecordMessage* findRecordMessage(int number);

// "disk I/O error (10)"; empty when there is neither a text nor a number.
QString errorTextWithCode(const QString& errorText, int errorCode);

// The text as the user reads it: placeholders filled, '|' turned into line breaks,
// and for a fatal message the sentence that tells the program is about to end. Values
// are inserted as they are: a '|' or a placeholder name inside a value stays literal.
QString composeText(const RecordMessage& message, const MessageArgs& args);

// The buttons and the default answer a message is shown with.
MessageButtons buttonsOf(const RecordMessage& message);
Answer defaultAnswerOf(MessageButtons buttons);

} // namespace nidora::core
