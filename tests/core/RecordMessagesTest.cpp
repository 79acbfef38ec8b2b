#include "core/ErrorManager.h"
#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace nidora::framework {
namespace {

struct ShownMessage {
    int number;
    int level;
    const char* title;
    const char* text;
};

// Every message with each placeholder filled by a value that names it: %File
// "PACIENTES", %Field "CON:MESES", %Key "PAC:KCODIGO", %Message "12", %ErrorText the
// storage text "disk I/O error" with its number 10.
// clang-format off
const std::vector<ShownMessage> kEveryMessage = {
        {1, 5, "Record Retrieval Error",
            "Error: (disk I/O error (10)) attempting to access a record from the PACIENTES file.  Returning to previous window."},
        {2, 5, "Access Denied",
            "Could not get write access to PACIENTES so trying read-only."},
        {3, 1, "Record Added",
            "This record has been added to the file. Do you want to add another record?"},
        {4, 5, "Record Insert Error",
            "An error was experienced during the creation of a record.\nFile: PACIENTES\nError: disk I/O error (10)."},
        {5, 5, "Add New Record?",
            "Record match not found, do you wish to add a new one?"},
        {6, 5, "File Access Error",
            "File PACIENTES could not be closed.  Error: disk I/O error (10)."},
        {7, 5, "Record Was Not Updated",
            "This record was changed by another station."},
        {8, 5, "Record Was Not Updated",
            "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or Ctrl+H to recall your changes."},
        {9, 5, "Record Retrieval Error",
            "This record was changed or deleted by another station.\nError: (disk I/O error (10)) attempting to access a record from the PACIENTES file."},
        {10, 1, "Changes will be lost!",
            "Are you sure you want to cancel?"},
        {11, 1, "Confirm Delete",
            "Are you sure you want to delete the highlighted record?"},
        {12, 3, "File Creation Error",
            "Error: (disk I/O error (10)) creating PACIENTES.  Press OK to end this application"},
        {13, 5, "Record was not deleted",
            "An error (disk I/O error (10)) was experienced when deleting a record from the PACIENTES file."},
        {14, 5, "Invalid Request",
            "This form cannot be used to delete a record"},
        {15, 5, "Duplicate Key Error",
            "Adding this record creates a duplicate entry for the key: 12"},
        {16, 5, "Field contents error",
            "The value of CON:MESES must be found in the 12 file."},
        {19, 5, "Range Error",
            "The value of CON:MESES must be lower than 12."},
        {21, 5, "File Load Error",
            "PACIENTES File Load Error.  Error: disk I/O error (10)."},
        {23, 5, "Invalid Request",
            "This form cannot be used to insert a record"},
        {24, 5, "Transaction cancelled",
            "Error: (disk I/O error (10)) attempting to frame the transaction on PACIENTES."},
        {25, 5, "No Records",
            "There are no records available to process."},
        {26, 3, "File Access Error",
            "File PACIENTES could not be opened.  Error: disk I/O error (10).  Press OK to end this application"},
        {28, 5, "Record was not updated",
            "An error (disk I/O error (10)) was experienced when making changes to the PACIENTES file."},
        {29, 3, "Key was not built",
            "Error: (disk I/O error (10)) repairing key for PACIENTES.  Press OK to end this application"},
        {30, 5, "Invalid Key",
            "PACIENTES key file is invalid. Key must be rebuilt."},
        {31, 5, "Record not read",
            "A record held by another station was encountered reading from the PACIENTES file."},
        {33, 5, "Referential Integrity Delete Error",
            "This record is referenced from the file PACIENTES. This record cannot be deleted while these references exist."},
        {34, 5, "Referential Integrity Update Error",
            "This record is referenced from the file PACIENTES. Linking field(s) have been restricted from change and have been reset to original values."},
        {35, 1, "Auto Increment Error",
            "Attempts to automatically number this record have failed.\nFile: PACIENTES\nKey: PAC:KCODIGO\nError: disk I/O error (10).\nTry Again?"},
        {36, 1, "Record Delete Error",
            "An error was experienced deleting this record. Do you want to try to delete it again?"},
        {37, 1, "Record Update Error",
            "An error was experienced changing this record. Do you want to try to save again?"},
        {38, 1, "Save Record",
            "Do you want to save the changes to this record?"},
        {39, 1, "Beginning of File Error",
            "The beginning of the file PACIENTES was encountered. Do you want to start again from the end of the file?"},
        {40, 1, "End of File Error",
            "The end of the file PACIENTES was encountered. Do you want to start again from the beginning?"},
        {41, 5, "Invalid Request",
            "This form cannot be used to update a record"},
        {42, 2, "File Usage Error",
            "Attempt to use file (PACIENTES) before it was opened"},
        {43, 5, "View Open Error",
            "Error: (disk I/O error (10)) attempting to open the current VIEW. Filter and Range Limits ignored."},
};
// clang-format on

core::MessageArgs sampleArgs()
{
    core::MessageArgs args;
    args.file = QStringLiteral("PACIENTES");
    args.field = QStringLiteral("CON:MESES");
    args.key = QStringLiteral("PAC:KCODIGO");
    args.message = QStringLiteral("12");
    args.errorText = QStringLiteral("disk I/O error");
    args.errorCode = 10;
    return args;
}

core::Answer firstAnswerOf(int level)
{
    return level == 1 ? core::Answer::Yes : core::Answer::Ok;
}

TEST(RecordMessages, TableHoldsExactlyTheMessagesTheProgramRaises)
{
    std::vector<int> inTable;
    for (const core::RecordMessage& m : core::recordMessages())
        inTable.push_back(m.number);
    std::vector<int> expected;
    for (const ShownMessage& m : kEveryMessage)
        expected.push_back(m.number);
    EXPECT_EQ(inTable, expected);
}

TEST(RecordMessages, EachIsShownWithItsLevelTitleAndFilledText)
{
    core::ErrorManager errors;
    test::ScriptedPresenter presenter;
    errors.setPresenter(&presenter);
    int ends = 0;
    errors.setEndProgram([&ends] { ++ends; });

    for (const ShownMessage& expected : kEveryMessage) {
        SCOPED_TRACE(expected.number);
        presenter.answer(firstAnswerOf(expected.level));
        errors.raise(expected.number, sampleArgs());
        ASSERT_FALSE(presenter.shown().empty());
        const core::MessageRequest& shown = presenter.shown().back();
        EXPECT_EQ(shown.number, expected.number);
        EXPECT_EQ(shown.level, expected.level);
        EXPECT_EQ(shown.title, QString::fromUtf8(expected.title));
        EXPECT_EQ(shown.text, QString::fromUtf8(expected.text));
    }
    EXPECT_EQ(presenter.shown().size(), kEveryMessage.size());
    EXPECT_EQ(ends, 3); // 12, 26 and 29
}

TEST(RecordMessages, ButtonsFollowTheLevel)
{
    struct Case {
        int number;
        core::MessageButtons buttons;
        core::Answer defaultAnswer;
    };
    const Case cases[] = {
        { 3, core::MessageButtons::YesNo, core::Answer::Yes },
        { 10, core::MessageButtons::YesNo, core::Answer::Yes },
        { 11, core::MessageButtons::YesNo, core::Answer::Yes },
        { 35, core::MessageButtons::YesNo, core::Answer::Yes },
        { 36, core::MessageButtons::YesNo, core::Answer::Yes },
        { 39, core::MessageButtons::YesNo, core::Answer::Yes },
        { 40, core::MessageButtons::YesNo, core::Answer::Yes },
        // A failed change and the users form's question before cancelling let the user
        // stay in the form.
        { 37, core::MessageButtons::YesNoCancel, core::Answer::Cancel },
        { 38, core::MessageButtons::YesNoCancel, core::Answer::Cancel },
        { 5, core::MessageButtons::Ok, core::Answer::Ok },
        { 15, core::MessageButtons::Ok, core::Answer::Ok },
        { 26, core::MessageButtons::Ok, core::Answer::Ok },
        { 42, core::MessageButtons::Ok, core::Answer::Ok },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const core::RecordMessage* message = core::findRecordMessage(c.number);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(core::buttonsOf(*message), c.buttons);
        EXPECT_EQ(core::defaultAnswerOf(core::buttonsOf(*message)), c.defaultAnswer);
    }
}

TEST(RecordMessages, NumbersOutsideTheTableAreNotFound)
{
    for (int number : { 0, 17, 18, 20, 22, 27, 32, 44, 53, -1 })
        EXPECT_EQ(core::findRecordMessage(number), nullptr) << number;
}

TEST(RecordMessages, ErrorTextCarriesTheErrorNumberInBrackets)
{
    struct Case {
        const char* text;
        int code;
        const char* expected;
    };
    const Case cases[] = {
        { "database is locked", 5, "database is locked (5)" },
        { "", 13, " (13)" },
        { "file is not a database", 0, "file is not a database (0)" },
        { "", 0, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::errorTextWithCode(QString::fromUtf8(c.text), c.code), QString::fromUtf8(c.expected))
            << c.text;
}

TEST(RecordMessages, ValuesAreInsertedLiterally)
{
    // A storage text or a name may itself hold a '|' or look like a placeholder; neither
    // may be taken as part of the message's own pattern.
    core::MessageArgs args;
    args.file = QStringLiteral("%Key|ÑANDÚ");
    args.key = QStringLiteral("must not appear");
    args.errorText = QStringLiteral("bad | worse %File");
    args.errorCode = 1;
    EXPECT_EQ(core::composeText(*core::findRecordMessage(4), args),
        QStringLiteral("An error was experienced during the creation of a record.\nFile: %Key|ÑANDÚ\n"
                       "Error: bad | worse %File (1)."));
}

TEST(RecordMessages, MissingValuesLeaveTheirPlaceholdersEmpty)
{
    EXPECT_EQ(core::composeText(*core::findRecordMessage(16), {}),
        QStringLiteral("The value of  must be found in the  file."));
}

} // namespace
} // namespace nidora::framework
