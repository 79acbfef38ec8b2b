#include "core/RecordMessages.h"

#include <algorithm>
#include <array>

namespace nidora::core {
namespace {

constexpr MessageLevel Q = MessageLevel::Question;
constexpr MessageLevel F = MessageLevel::Failure;
constexpr MessageLevel X = MessageLevel::Fatal;
constexpr MessageLevel N = MessageLevel::Notice;
constexpr bool kWithCancel = true;

// clang-format off
constexpr std::array kMessages = std::to_array<RecordMessage>({
    {1, N, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."},
    {2, N, "Access Denied",
     "Could not get write access to %File so trying read-only."},
    {3, Q, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {4, N, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {5, N, "Add New Record?",
     "Record match not found, do you wish to add a new one?"},
    {6, N, "File Access Error",
     "File %File could not be closed.  Error: %ErrorText."},
    {7, N, "Record Was Not Updated",
     "This record was changed by another station."},
    {8, N, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+H to recall your changes."},
    {9, N, "Record Retrieval Error",
     "This record was changed or deleted by another station.|Error: (%ErrorText) attempting to access a record from the %File file."},
    {10, Q, "Changes will be lost!",
     "Are you sure you want to cancel?"},
    {11, Q, "Confirm Delete",
     "Are you sure you want to delete the highlighted record?"},
    {12, X, "File Creation Error",
     "Error: (%ErrorText) creating %File."},
    {13, N, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {14, N, "Invalid Request",
     "This form cannot be used to delete a record"},
    {15, N, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {16, N, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {19, N, "Range Error",
     "The value of %Field must be lower than %Message."},
    {21, N, "File Load Error",
     "%File File Load Error.  Error: %ErrorText."},
    {23, N, "Invalid Request",
     "This form cannot be used to insert a record"},
    {24, N, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {25, N, "No Records",
     "There are no records available to process."},
    {26, X, "File Access Error",
     "File %File could not be opened.  Error: %ErrorText."},
    {28, N, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {29, X, "Key was not built",
     "Error: (%ErrorText) repairing key for %File."},
    {30, N, "Invalid Key",
     "%File key file is invalid. Key must be rebuilt."},
    {31, N, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {33, N, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these references exist."},
    {34, N, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from change and have been reset to original values."},
    {35, Q, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: %ErrorText.|Try Again?"},
    {36, Q, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {37, Q, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?", kWithCancel},
    {38, Q, "Save Record",
     "Do you want to save the changes to this record?", kWithCancel},
    {39, Q, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of the file?"},
    {40, Q, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {41, N, "Invalid Request",
     "This form cannot be used to update a record"},
    {42, F, "File Usage Error",
     "Attempt to use file (%File) before it was opened"},
    {43, N, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
});
// clang-format on

static_assert(std::is_sorted(kMessages.begin(), kMessages.end(),
                  [](const RecordMessage& a, const RecordMessage& b) { return a.number < b.number; }),
    "findRecordMessage searches the table by number");

constexpr char16_t kLineBreakMark = u'|';
constexpr auto kFatalClosing = u"  Press OK to end this application";

struct Placeholder {
    QStringView name;
    const QString MessageArgs::*value;
};

// The value of %ErrorText is composed, so it is looked up separately.
constexpr QStringView kErrorTextName = u"%ErrorText";
constexpr std::array<Placeholder, 4> kPlaceholders = { {
    { u"%File", &MessageArgs::file },
    { u"%Field", &MessageArgs::field },
    { u"%Key", &MessageArgs::key },
    { u"%Message", &MessageArgs::message },
} };

} // namespace

std::span<const RecordMessage> recordMessages()
{
    return kMessages;
}

const RecordMessage* findRecordMessage(int number)
{
    const auto found = std::lower_bound(kMessages.begin(), kMessages.end(), number,
        [](const RecordMessage& m, int n) { return m.number < n; });
    if (found == kMessages.end() || found->number != number)
        return nullptr;
    return &*found;
}

QString errorTextWithCode(const QString& errorText, int errorCode)
{
    if (errorText.isEmpty() && errorCode == 0)
        return {};
    return QStringLiteral("%1 (%2)").arg(errorText).arg(errorCode);
}

QString composeText(const RecordMessage& message, const MessageArgs& args)
{
    // One pass over the template, so that nothing inside a substituted value (a file
    // name, a storage error text) is taken for a placeholder or a line break.
    const QString pattern = QString::fromUtf8(message.text);
    const QStringView rest(pattern);
    QString text;
    for (qsizetype i = 0; i < rest.size();) {
        const QStringView tail = rest.mid(i);
        if (tail.front() == kLineBreakMark) {
            text += u'\n';
            ++i;
            continue;
        }
        if (tail.startsWith(kErrorTextName)) {
            text += errorTextWithCode(args.errorText, args.errorCode);
            i += kErrorTextName.size();
            continue;
        }
        const auto placeholder = std::find_if(kPlaceholders.begin(), kPlaceholders.end(),
            [&](const Placeholder& p) { return tail.startsWith(p.name); });
        if (placeholder != kPlaceholders.end()) {
            text += args.*(placeholder->value);
            i += placeholder->name.size();
            continue;
        }
        text += tail.front();
        ++i;
    }
    if (message.level == MessageLevel::Fatal)
        text += QStringView(kFatalClosing);
    return text;
}

MessageButtons buttonsOf(const RecordMessage& message)
{
    if (message.level != MessageLevel::Question)
        return MessageButtons::Ok;
    return message.offersCancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo;
}

Answer defaultAnswerOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return Answer::Ok;
    case MessageButtons::YesNo:
        return Answer::Yes;
    case MessageButtons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Ok;
}

} // namespace nidora::core
