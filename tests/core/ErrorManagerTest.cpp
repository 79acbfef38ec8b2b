#include "core/ErrorManager.h"
#include "support/ScriptedPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace nidora::framework {
namespace {

// An error manager whose calling thread a test chooses, whose messages go to a script and
// whose "end the program" only counts.
class ErrorManagerTest : public testing::Test {
protected:
    ErrorManagerTest()
    {
        errors.setPresenter(&presenter);
        errors.setThreadNumberProvider([this] { return thread; });
        errors.setEndProgram([this] {
            ++ends;
            shownBeforeEnd = presenter.shown().size();
        });
    }

    static core::MessageArgs fileError(const char* file, const char* text, int code)
    {
        core::MessageArgs args;
        args.file = QString::fromUtf8(file);
        args.errorText = QString::fromUtf8(text);
        args.errorCode = code;
        return args;
    }

    test::ScriptedPresenter presenter;
    core::ErrorManager errors;
    int thread = 1;
    int ends = 0;
    std::size_t shownBeforeEnd = 0;
};

TEST_F(ErrorManagerTest, FatalMessageEndsTheProgramOnceAcknowledged)
{
    presenter.answer(core::Answer::Ok);
    errors.raise(26, fileError("TABENFERMED", "unable to open database file", 14));
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(shownBeforeEnd, 1u);
    EXPECT_TRUE(
        presenter.shown().front().text.endsWith(QStringLiteral(".  Press OK to end this application")));
}

TEST_F(ErrorManagerTest, OtherLevelsNeverEndTheProgram)
{
    for (int number : { 1, 2, 15, 25, 42 }) {
        presenter.answer(core::Answer::Ok);
        EXPECT_EQ(errors.raise(number), core::Answer::Ok) << number;
    }
    presenter.answer(core::Answer::No);
    errors.raise(11);
    EXPECT_EQ(ends, 0);
}

TEST_F(ErrorManagerTest, QuestionReturnsTheChosenAnswer)
{
    presenter.answer(core::Answer::Yes).answer(core::Answer::No);
    EXPECT_EQ(errors.raise(11), core::Answer::Yes);
    EXPECT_EQ(errors.raise(11), core::Answer::No);
    EXPECT_EQ(presenter.shown().front().buttons, core::MessageButtons::YesNo);
    EXPECT_EQ(presenter.shown().front().defaultAnswer, core::Answer::Yes);
}

TEST_F(ErrorManagerTest, FailedDeleteCanOfferCancelAsWell)
{
    // The relation object asks message 36 with Yes and No; a form asks it with Cancel too.
    presenter.answer(core::Answer::Yes).answer(core::Answer::Cancel);
    EXPECT_EQ(errors.raise(36), core::Answer::Yes);
    EXPECT_EQ(errors.raiseWithCancel(36), core::Answer::Cancel);
    const core::MessageRequest& withCancel = presenter.shown().back();
    EXPECT_EQ(withCancel.buttons, core::MessageButtons::YesNoCancel);
    EXPECT_EQ(withCancel.defaultAnswer, core::Answer::Cancel);
    EXPECT_EQ(withCancel.title, QStringLiteral("Record Delete Error"));
}

TEST_F(ErrorManagerTest, UnknownNumbersAndCancelOnANoticeAreRefused)
{
    EXPECT_THROW(errors.raise(17), std::invalid_argument);
    EXPECT_THROW(errors.raise(99), std::invalid_argument);
    EXPECT_THROW(errors.raiseWithCancel(15), std::invalid_argument);
    EXPECT_TRUE(presenter.shown().empty());
}

TEST(ErrorManagerUnattended, QuestionsStopTheOperationWhenNobodyCanAnswer)
{
    // Taking the default would answer "Try Again?" with Yes for ever.
    core::ErrorManager errors;
    int ends = 0;
    errors.setEndProgram([&ends] { ++ends; });
    EXPECT_EQ(errors.raise(35), core::Answer::No);
    EXPECT_EQ(errors.raise(37), core::Answer::Cancel);
    EXPECT_EQ(errors.raise(15), core::Answer::Ok);
    errors.raise(12);
    EXPECT_EQ(ends, 1);
}

TEST_F(ErrorManagerTest, EachThreadKeepsItsOwnLastError)
{
    presenter.answer(core::Answer::Ok).answer(core::Answer::Ok);
    thread = 2;
    errors.raise(28, fileError("CONSULTAS", "disk I/O error", 10));
    thread = 3;
    core::MessageArgs duplicate;
    duplicate.file = QStringLiteral("MOTIVOS");
    duplicate.key = QStringLiteral("MOT:KMOTIVO");
    duplicate.message = QStringLiteral("MOT:KMOTIVO");
    errors.raise(15, duplicate);

    EXPECT_EQ(errors.lastError(2),
        (core::ErrorStatus { .messageNumber = 28,
            .errorCode = 10,
            .errorText = QStringLiteral("disk I/O error"),
            .file = QStringLiteral("CONSULTAS") }));
    EXPECT_EQ(errors.lastError(),
        (core::ErrorStatus {
            .messageNumber = 15, .file = QStringLiteral("MOTIVOS"), .key = QStringLiteral("MOT:KMOTIVO") }));
    EXPECT_EQ(errors.lastError(1), core::ErrorStatus {});
}

TEST_F(ErrorManagerTest, QuestionsLeaveTheLastErrorAlone)
{
    presenter.answer(core::Answer::Ok).answer(core::Answer::No);
    errors.raise(13, fileError("PACIENTES", "constraint failed", 19));
    errors.raise(36);
    EXPECT_EQ(errors.lastError().messageNumber, 13);
}

TEST_F(ErrorManagerTest, SilentFailuresAreRecordedOnTheirThread)
{
    thread = 4;
    errors.setLastError({ .errorCode = 5,
        .errorText = QStringLiteral("database is locked"),
        .file = QStringLiteral("AGENDA") });
    EXPECT_EQ(errors.lastError(4).errorCode, 5);
    thread = 1;
    EXPECT_EQ(errors.lastError(), core::ErrorStatus {});
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(ErrorManagerTest, ProceduresOfTwoThreadsWithTheSameNamesAreKeptApart)
{
    thread = 2;
    errors.addProcedure(QStringLiteral("BrowseUSUARIOS"));
    thread = 3;
    errors.addProcedure(QStringLiteral("BrowseUSUARIOS"));
    thread = 2;
    errors.addProcedure(QStringLiteral("USUARIOS:Ficha"));
    thread = 3;
    errors.addProcedure(QStringLiteral("USUARIOS:Ficha"));

    // Thread 2's form ends, then thread 3's list: each takes its own thread's latest entry.
    thread = 2;
    EXPECT_TRUE(errors.removeProcedure());
    thread = 3;
    EXPECT_TRUE(errors.removeProcedure());
    EXPECT_TRUE(errors.removeProcedure());
    EXPECT_FALSE(errors.removeProcedure());

    const std::vector<core::ProcedureEntry> left = errors.procedures();
    EXPECT_EQ(left, (std::vector<core::ProcedureEntry> { { 2, QStringLiteral("BrowseUSUARIOS") } }));
}

TEST_F(ErrorManagerTest, AnEndedThreadLeavesNothingForTheNextOneOfItsNumber)
{
    presenter.answer(core::Answer::Ok);
    thread = 2;
    errors.addProcedure(QStringLiteral("PantallaBackup"));
    errors.raise(21, fileError("OUTPUT", "out of memory", 7));
    thread = 3;
    errors.addProcedure(QStringLiteral("Informes"));

    errors.forgetThread(2);
    EXPECT_EQ(errors.lastError(2), core::ErrorStatus {});
    EXPECT_EQ(errors.procedures(), (std::vector<core::ProcedureEntry> { { 3, QStringLiteral("Informes") } }));
}

TEST(ErrorManagerProcedures, ListStaysWholeUnderConcurrentChanges)
{
    // The list is shared by every thread; here real threads change it at once.
    core::ErrorManager errors;
    thread_local int threadNumber = 1;
    errors.setThreadNumberProvider([] { return threadNumber; });
    constexpr int kThreads = 4;
    constexpr int kRounds = 50000;
    auto work = [&errors](int number) {
        threadNumber = number;
        errors.addProcedure(QStringLiteral("Main"));
        for (int i = 0; i < kRounds; ++i) {
            errors.addProcedure(QStringLiteral("BrowsePACIENTES"));
            errors.addProcedure(QStringLiteral("UpdatePACIENTES"));
            errors.removeProcedure();
            errors.removeProcedure();
        }
    };
    std::vector<std::thread> threads;
    for (int number = 2; number < 2 + kThreads; ++number)
        threads.emplace_back(work, number);
    for (std::thread& t : threads)
        t.join();

    std::vector<core::ProcedureEntry> left = errors.procedures();
    std::sort(left.begin(), left.end(),
        [](const core::ProcedureEntry& a, const core::ProcedureEntry& b) { return a.thread < b.thread; });
    std::vector<core::ProcedureEntry> expected;
    for (int number = 2; number < 2 + kThreads; ++number)
        expected.push_back({ number, QStringLiteral("Main") });
    EXPECT_EQ(left, expected) << "entries lost or duplicated";
}

} // namespace
} // namespace nidora::framework
