#include "shell/Program.h"

#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ProgramGlobals.h"

#include "core/ErrorManager.h"
#include "framework/Await.h"
#include "platform/DragFullWindows.h"
#include "support/ScratchDirectory.h"
#include "views/DictionarySetup.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nidora::shell {
namespace {

using Log = std::vector<std::string>;

// A desktop's drag flag that remembers every change made to it.
class RecordingDragFlag final : public platform::DragFullWindows {
public:
    explicit RecordingDragFlag(int value)
        : value_(value)
    {
    }
    int get() const override { return value_; }
    void set(bool on, unsigned updateFlags) override
    {
        value_ = on ? 1 : 0;
        changes.push_back({ on, updateFlags });
    }

    struct Change {
        bool on;
        unsigned flags;
        bool operator==(const Change&) const = default;
    };
    std::vector<Change> changes;

private:
    int value_;
};

// Notes each thread's data being set up and shut down.
ThreadDataHooks loggingHooks(Log& log)
{
    return ThreadDataHooks {
        [&log](
            framework::ThreadContext& thread) { log.push_back("set up " + std::to_string(thread.number())); },
        [&log](framework::ThreadContext& thread) {
            log.push_back("shut down " + std::to_string(thread.number()));
        },
    };
}

// From a logical thread: waits until the given thread has ended.
void waitUntilEnded(int number)
{
    framework::Scheduler& scheduler = *framework::Scheduler::instance();
    while (scheduler.find(number)
        && framework::waitForSignal(&scheduler, &framework::Scheduler::threadEnded)) { }
}

class ProgramTest : public ::testing::Test {
protected:
    test::ScratchDirectory scratch;
    RecordingDragFlag dragFlag { 1 };
    platform::DragFullWindowsService::Override useDragFlag { dragFlag };
    Log log;
};

TEST_F(ProgramTest, GlobalSetUpBlanksTheTextsAndStartsTheLettersAtAAndZ)
{
    views::AppGlobals.LoggedIn = 1;
    views::AppGlobals.CurrentUserName = QStringLiteral("Ana");
    views::AppGlobals.DLETRA = QStringLiteral("M");
    views::AppGlobals.SELECTPACIENTE = 12;
    Program program({ loggingHooks(log), {} });

    EXPECT_EQ(views::AppGlobals.LoggedIn, 0);
    EXPECT_FALSE(views::AppGlobals.hasRight(1));
    EXPECT_EQ(views::AppGlobals.SELECTPACIENTE, 0);
    EXPECT_EQ(views::AppGlobals.CurrentUserName, QString(30, u' '));
    EXPECT_EQ(views::AppGlobals.SELECTGRUPO, QString(3, u' '));
    EXPECT_EQ(views::AppGlobals.SELECTMOTIVO, QString(25, u' '));
    EXPECT_EQ(views::AppGlobals.DLETRA, QStringLiteral("A"));
    EXPECT_EQ(views::AppGlobals.HLETRA, QStringLiteral("Z"));
    EXPECT_TRUE(log.empty()) << "the main thread's data waits for the program's entry";
}

TEST_F(ProgramTest, TheFrameRunsOnTheMainThreadWithEverythingOpenAndTheDragFlagOff)
{
    struct Seen {
        int thread = 0;
        int dragFlag = -1;
        bool settingsOpen = false;
        bool matcherIgnoresCase = false;
        bool matcherWholeWords = true;
        bool windowIcon = false;
        Log dataSoFar;
    } seen;
    int exitCode = -1;
    Program* running = nullptr;
    {
        Program program({ loggingHooks(log), [&] {
                             seen.thread = framework::CurrentThreadNumber();
                             seen.dragFlag = dragFlag.get();
                             seen.settingsOpen = running->settings().isOpen();
                             seen.windowIcon = !QApplication::windowIcon().isNull();
                             seen.dataSoFar = log;
                         } });
        running = &program;
        program.initialiseErrorManager();
        program.initialiseTextMatcher();
        program.openSettings();
        seen.matcherIgnoresCase = program.textMatcher().ignoresCase();
        seen.matcherWholeWords = program.textMatcher().wholeWordsOnly();
        program.setUpMainThreadData();
        program.setDefaultWindowIcon();
        program.switchOffDragFlag();
        program.runFrame();
        program.updateSettings();
        program.restoreDragFlag();
        program.closeSettingsAndMatcher();
        EXPECT_FALSE(program.settings().isOpen());
        EXPECT_FALSE(program.textMatcher().isOpen());
        exitCode = 0;
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(seen.thread, 1);
    EXPECT_EQ(seen.dragFlag, 0);
    EXPECT_TRUE(seen.settingsOpen);
    EXPECT_TRUE(seen.matcherIgnoresCase);
    EXPECT_FALSE(seen.matcherWholeWords);
    EXPECT_TRUE(seen.windowIcon) << "nidora.ico is every window's icon";
    EXPECT_EQ(seen.dataSoFar, Log { "set up 1" });
    EXPECT_EQ(log, (Log { "set up 1", "shut down 1" })) << "the main thread's data goes with the program";
}

struct DragFlagCase {
    const char* name;
    int atStart;
    int whileRunning;
    int atEnd;
    std::vector<RecordingDragFlag::Change> changes;
};

void PrintTo(const DragFlagCase& c, std::ostream* os)
{
    *os << c.name;
}

class DragFlagTest : public ProgramTest, public ::testing::WithParamInterface<DragFlagCase> { };

// Only a desktop that showed window contents while dragging is touched, and it gets its
// setting back, written to the profile and sent to every window.
TEST_P(DragFlagTest, OnlyAFlagThatWasOnIsSwitchedOffAndBackOn)
{
    const DragFlagCase& c = GetParam();
    RecordingDragFlag flag(c.atStart);
    platform::DragFullWindowsService::Override useFlag(flag);
    int whileRunning = -1;
    int exitCode = -1;
    {
        Program program({ loggingHooks(log), [&] { whileRunning = flag.get(); } });
        exitCode = program.run();
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(whileRunning, c.whileRunning);
    EXPECT_EQ(flag.get(), c.atEnd);
    EXPECT_EQ(flag.changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DragFlagTest,
    ::testing::Values(DragFlagCase { "on", 1, 0, 1, { { false, 3 }, { true, 3 } } },
        DragFlagCase { "off", 0, 0, 0, {} }, DragFlagCase { "other", 2, 2, 2, {} }),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ProgramTest, EveryOtherThreadSetsItsDataUpBeforeItsProcedureAndShutsItDownAfter)
{
    {
        Program program({ loggingHooks(log), [&] {
                             framework::currentThread().CallRequest = 4;
                             const int started = framework::StartOnNewThread(
                                 [&] {
                                     log.push_back("procedure "
                                         + std::to_string(framework::CurrentThreadNumber()) + " request "
                                         + std::to_string(framework::currentThread().CallRequest));
                                 },
                                 25'000);
                             waitUntilEnded(started);
                         } });
        program.run();
    }
    EXPECT_EQ(log, (Log { "set up 1", "set up 2", "procedure 2 request 0", "shut down 2", "shut down 1" }));
}

// With the program's own hooks: the frame works on the main thread's data, set up by the
// program's entry; a window thread gets data of its own.
TEST_F(ProgramTest, EveryThreadWorksOnItsOwnDataFromItsStartToItsEnd)
{
    struct Seen {
        data::Dictionary* frame = nullptr;
        data::Dictionary* window = nullptr;
    } seen;
    {
        Program program({ {}, [&] {
                             seen.frame = &views::threadDictionary();
                             const int started = framework::StartOnNewThread(
                                 [&] { seen.window = &views::threadDictionary(); }, 25'000);
                             waitUntilEnded(started);
                         } });
        program.run();
        EXPECT_EQ(views::findThreadDictionary(program.scheduler().currentContext()), seen.frame)
            << "the main thread's data stays for the program's closing steps";
    }
    ASSERT_NE(seen.frame, nullptr);
    ASSERT_NE(seen.window, nullptr);
    EXPECT_NE(seen.window, seen.frame);
}

TEST_F(ProgramTest, TheErrorManagerKnowsEachThreadAndForgetsOneThatEnded)
{
    core::ErrorStatus seenOnThread;
    {
        Program program({ loggingHooks(log), [&] {
                             const int started = framework::StartOnNewThread(
                                 [&] {
                                     core::AppErrorManager.setLastError({ 0, 33, QStringLiteral("busy") });
                                     seenOnThread = core::AppErrorManager.lastError(2);
                                 },
                                 25'000);
                             waitUntilEnded(started);
                         } });
        program.run();
    }
    EXPECT_EQ(seenOnThread.errorCode, 33) << "the error was kept as thread 2's";
    EXPECT_EQ(core::AppErrorManager.lastError(2), core::ErrorStatus {}) << "and dropped when it ended";
}

// The whole program: its frame opens, is closed, and the program ends with 0.
TEST_F(ProgramTest, ClosingTheFrameEndsTheProgramWithZero)
{
    bool closedFrame = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* frame = qobject_cast<MainFrame*>(window); frame && frame->isVisible()) {
                // Only asks: the frame's procedure closes it once the other windows have gone.
                frame->close();
                closedFrame = true;
                closer.stop();
            }
        }
    });
    closer.start(10);
    int exitCode = -1;
    {
        FrameServices services;
        services.login = [] { views::AppGlobals.LoggedIn = 1; };
        Program program({ loggingHooks(log), [services] { Main(services); } });
        exitCode = program.run();
    }
    EXPECT_TRUE(closedFrame);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(dragFlag.get(), 1);
    EXPECT_TRUE(core::AppErrorManager.procedures().empty()) << "Main took its name off the list";
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<MainFrame*>(window), nullptr) << "the frame outlived the program";
}

} // namespace
} // namespace nidora::shell
