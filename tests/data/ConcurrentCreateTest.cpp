// Two instances of the program opening one missing file at nearly the same moment: one builds
// it, the other finds it built or waits for the build, and neither reports a file that is not
// ours. The delays only widen the chance of meeting the build half way; no outcome depends on
// them.
#include "data/AccessBuffer.h"
#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "data/PatientRecords.h"
#include "data/SqliteConnection.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <signal.h>
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

// The files of this folder whose name starts with the given one: a data file and whatever an
// instance builds beside it.
QStringList besides(const QString& name)
{
    return QDir::current().entryList({ name + QStringLiteral("*") }, QDir::Files);
}

// The moment the race above can only hit now and then, held still: an instance has built its
// file and not yet put it in place when another instance makes the file. The one held opens
// the other's file, with what was written in it meanwhile, and leaves nothing of its own.
TEST(ConcurrentCreateTest, TheInstanceThatLosesTheRaceOpensTheWinnersFile)
{
    nidora::test::ScratchDirectory scratch;
    const QString name = fileDesc(FileId::PACIENTES).fileName();
    int held = 0;
    for (int round = 0; round < 20 && held < 3; ++round) {
        DataFile::removeFile(name);
        Signal go;
        const pid_t builder = fork();
        ASSERT_GE(builder, 0);
        if (builder == 0) {
            alarm(kChildSeconds);
            if (!go.await())
                _exit(100);
            auto opened = DataFile::open(fileDesc(FileId::PACIENTES));
            std::int64_t records = -1;
            if (!opened.outcome.ok() || !opened.file->count(records).ok())
                _exit(101);
            // 0: it opened the other's file, with the patient written there.
            _exit(opened.created ? 102 : records == 1 ? 0 : 103);
        }
        ASSERT_TRUE(go.give());
        // Stopped as soon as its build shows beside the file's name.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (besides(name).isEmpty() && std::chrono::steady_clock::now() < until) { }
        ASSERT_EQ(kill(builder, SIGSTOP), 0);
        ASSERT_FALSE(besides(name).isEmpty()) << "the builder never showed its build";
        const bool inPlaceAlready = QFileInfo::exists(name);
        if (!inPlaceAlready) {
            ++held;
            auto winner = DataFile::open(fileDesc(FileId::PACIENTES));
            ASSERT_TRUE(winner.outcome.ok()) << winner.outcome.errorText().toStdString();
            EXPECT_TRUE(winner.created);
            PACIENTES patient;
            clearRecord(fileDesc(FileId::PACIENTES), patient);
            patient.CODIGO = 1;
            patient.NOMBRE = QStringLiteral("Pérez, Ana");
            EXPECT_TRUE(winner.file->add(patient).ok());
        }
        ASSERT_EQ(kill(builder, SIGCONT), 0);
        const int status = exitStatus(builder);
        if (inPlaceAlready)
            continue; // the builder was past its last step: this round holds nothing still
        EXPECT_EQ(status, 0) << "round " << round;
        EXPECT_EQ(besides(name), QStringList { name }) << "round " << round;
    }
    EXPECT_GT(held, 0) << "no round caught the builder before it put its file in place";
}

// Another instance making files one after another, watched from here: a name is never seen
// before its file is whole, so every open at the first sight of it finds one of ours.
TEST(ConcurrentCreateTest, AFileIsNeverSeenBeforeItIsWhole)
{
    nidora::test::ScratchDirectory scratch;
    constexpr int kFiles = 100;
    Signal go;
    const pid_t maker = fork();
    ASSERT_GE(maker, 0);
    if (maker == 0) {
        alarm(kChildSeconds);
        if (!go.await())
            _exit(100);
        for (int round = 0; round < kFiles; ++round) {
            OpenOptions options;
            options.fileName = roundFile(round);
            if (!DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadWrite, options).outcome.ok())
                _exit(101);
        }
        _exit(0);
    }
    ASSERT_TRUE(go.give());
    for (int round = 0; round < kFiles; ++round) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(kChildSeconds);
        while (!QFileInfo::exists(roundFile(round)) && std::chrono::steady_clock::now() < until) { }
        OpenOptions options;
        options.fileName = roundFile(round);
        const auto seen = DataFile::open(fileDesc(FileId::PACIENTES), OpenMode::ReadOnly, options);
        EXPECT_TRUE(seen.outcome.ok()) << "round " << round << ": " << seen.outcome.errorText().toStdString();
    }
    EXPECT_EQ(exitStatus(maker), 0);
}

// What a creation cut short leaves beside the file's name is removed once its process has
// ended; a build of a running process, or one too new to tell from a creation under way at
// another machine of the practice, is left.
TEST(ConcurrentCreateTest, TheBuildOfAnEndedProcessIsRemovedAndOthersAreLeft)
{
    nidora::test::ScratchDirectory scratch;
    const pid_t ended = fork();
    ASSERT_GE(ended, 0);
    if (ended == 0)
        _exit(0);
    ASSERT_EQ(exitStatus(ended), 0);
    const QDateTime old = QDateTime::currentDateTime().addSecs(-120);
    auto leave = [](const QString& name, const QDateTime& modified) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        ASSERT_TRUE(file.flush());
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    };
    const QString endedBuild = QStringLiteral("PACIENTE.QVM.%1-1.nuevo").arg(ended);
    const QString runningBuild = QStringLiteral("PACIENTE.QVM.%1-1.nuevo").arg(getpid());
    const QString newBuild = QStringLiteral("CONSULTA.QVM.%1-2.nuevo").arg(ended);
    leave(endedBuild, old);
    leave(endedBuild + QStringLiteral("-journal"), old);
    leave(runningBuild, old);
    leave(newBuild, QDateTime::currentDateTime());
    leave(QStringLiteral("NOTAS.nuevo"), old);
    EXPECT_EQ(DataFile::removeUnfinishedCreations(QDir::currentPath()), QStringList { endedBuild });
    EXPECT_EQ(QDir::current().entryList(QDir::Files),
        (QStringList { newBuild, QStringLiteral("NOTAS.nuevo"), runningBuild }));
}

} // namespace
