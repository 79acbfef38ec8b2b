// Two instances of the program opening one missing file at nearly the same moment: one builds
// it, the other finds it built or waits for the build, and neither reports a file that is not
// ours. The delays only widen the chance of meeting the build half way; no outcome depends on
// them.
#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "data/PatientRecords.h"
#include "data/SqliteConnection.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>

using namespace nidora::data;

namespace {

constexpr int kRounds = 60;
// A child that has not finished by then is stuck, not slow: it is ended and the round fails.
constexpr unsigned kChildSeconds = 30;

QString roundFile(int round)
{
    return QStringLiteral("RONDA%1.QVM").arg(round, 3, 10, QLatin1Char('0'));
}

// One byte through a pipe, from one process to another.
class Signal {
public:
    Signal() { EXPECT_EQ(pipe(ends_), 0); }
    ~Signal()
    {
        close(ends_[0]);
        close(ends_[1]);
    }
    bool give() { return write(ends_[1], "s", 1) == 1; }
    bool await()
    {
        char byte = 0;
        return read(ends_[0], &byte, 1) == 1;
    }

private:
    int ends_[2] {};
};

// The exit status of a child, or -1 when it was ended (by its alarm, or by a crash).
int exitStatus(pid_t child)
{
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Waits for the go, and after it the delay, opens the file and exits with the status it came
// to.
[[noreturn]] void openAtTheSignal(Signal& go, int round, std::chrono::microseconds delay)
{
    alarm(kChildSeconds);
    if (!go.await())
        _exit(100);
    std::this_thread::sleep_for(delay);
    OpenOptions options;
    options.fileName = roundFile(round);
    const DataFile::Opened opened = DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadWrite, options);
    _exit(int(opened.outcome.status));
}

TEST(ConcurrentCreateTest, TwoInstancesCreatingAMissingFileBothOpenIt)
{
    nidora::test::ScratchDirectory scratch;
    for (int round = 0; round < kRounds; ++round) {
        Signal go;
        // The second opens from 0 to 1 ms after the first, by the round: while the first is
        // still building the file, or just after.
        const std::array<std::chrono::microseconds, 2> delays { std::chrono::microseconds(0),
            std::chrono::microseconds(round * 1000 / kRounds) };
        std::array<pid_t, 2> children {};
        for (std::size_t k = 0; k < children.size(); ++k) {
            children[k] = fork();
            ASSERT_GE(children[k], 0);
            if (children[k] == 0)
                openAtTheSignal(go, round, delays[k]);
        }
        for (std::size_t k = 0; k < children.size(); ++k)
            ASSERT_TRUE(go.give());
        for (pid_t child : children)
            EXPECT_EQ(exitStatus(child), int(Status::Ok))
                << "round " << round << " (-1: the child was ended)";
        OpenOptions options;
        options.fileName = roundFile(round);
        const auto opened = DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadWrite, options);
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
        EXPECT_FALSE(opened.created);
        std::int64_t records = -1;
        EXPECT_TRUE(opened.file->count(records).ok());
        EXPECT_EQ(records, 0);
    }
}

// The moment the race above can only hit now and then, held still: another instance has made
// the file and holds its write lock while it builds it. The opener waits for the lock rather than
// taking the empty file for a foreign one, and builds the file itself when the other gives up.
TEST(ConcurrentCreateTest, AnOpenerThatFindsAFileBeingBuiltWaitsForItAndOpensIt)
{
    nidora::test::ScratchDirectory scratch;
    // No connection to the file may cross a fork (SQLite keeps its locks per process): each
    // side is a child of its own.
    Signal locked;
    Signal go;
    Signal opening;
    const pid_t creator = fork();
    ASSERT_GE(creator, 0);
    if (creator == 0) {
        alarm(kChildSeconds);
        sql::Connection connection(fileDesc(FileId::PACIENTES).fileName(), false, true);
        if (!connection.exec("BEGIN IMMEDIATE") || !locked.give() || !go.await())
            _exit(100);
        _exit(connection.exec("ROLLBACK") ? 0 : 101);
    }
    ASSERT_TRUE(locked.await());
    const pid_t opener = fork();
    ASSERT_GE(opener, 0);
    if (opener == 0) {
        alarm(kChildSeconds);
        if (!opening.give())
            _exit(100);
        _exit(int(DataFile::open(fileDesc(FileId::PACIENTES)).outcome.status));
    }
    ASSERT_TRUE(opening.await());
    // Long enough for the opener to be inside its open, well short of its lock wait; should it
    // be slower, it finds the file unlocked and empty, and must build it all the same.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(go.give());
    EXPECT_EQ(exitStatus(creator), 0);
    EXPECT_EQ(exitStatus(opener), int(Status::Ok));
    EXPECT_TRUE(DataFile::open(fileDesc(FileId::PACIENTES)).outcome.ok());
}

} // namespace
