// A process killed inside a change that spans two files leaves both as they were or both as
// they became, and a lock held elsewhere makes writes give up after the wait they were given.
#include "SampleFile.h"
#include "data/DataFile.h"
#include "data/FileTransaction.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

using namespace nidora::data;
using nidora::test::SAMPLE;
using nidora::test::sample;
using nidora::test::sampleFile;
using nidora::test::sampleKey;

namespace {

// Enough rows that the transaction spills pages into the files before it commits, so that a
// kill leaves a hot journal behind rather than nothing at all.
constexpr int kRowsPerFile = 20000;

const char* const kFiles[] = { "SAMPLE.QVM", "SAMPL002.QVM" };

std::unique_ptr<DataFile> openFile(const char* name)
{
    OpenOptions options;
    options.fileName = QString::fromLatin1(name);
    auto opened = DataFile::open(sampleFile(), OpenMode::ReadWrite, options);
    return opened.outcome.ok() ? std::move(opened.file) : nullptr;
}

// Run in the child: changes the one record of both files and adds many, inside one
// transaction, then kills itself before or after the commit. Touches nothing of Qt's GUI.
[[noreturn]] void changeBothAndDie(bool commit)
{
    auto first = openFile(kFiles[0]);
    auto second = openFile(kFiles[1]);
    if (!first || !second)
        _exit(2);
    FileTransaction transaction({ first.get(), second.get() });
    if (!transaction.begin(std::chrono::seconds(5)).ok())
        _exit(3);
    for (DataFile* file : { first.get(), second.get() }) {
        SAMPLE record;
        RecordRef ref;
        if (!file->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(1) }, record, &ref).ok())
            _exit(4);
        record.NOMBRE = "Despues";
        if (!file->change(ref, record).ok())
            _exit(5);
        for (int code = 2; code <= kRowsPerFile; ++code) {
            if (!file->add(sample(code, QStringLiteral("N%1").arg(code), "G")).ok())
                _exit(6);
        }
    }
    if (commit && !transaction.commit().ok())
        _exit(7);
    raise(SIGKILL);
    _exit(8);
}

struct KillCase {
    const char* name;
    bool commit;
};

void PrintTo(const KillCase& c, std::ostream* out)
{
    *out << c.name;
}

class KilledTransactionTest : public testing::TestWithParam<KillCase> {
protected:
    nidora::test::ScratchDirectory directory;
};

TEST_P(KilledTransactionTest, LeavesEveryFileBeforeOrEveryFileAfter)
{
    for (const char* name : kFiles) {
        auto file = openFile(name);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->add(sample(1, "Antes")).ok());
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        changeBothAndDie(GetParam().commit);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended with " << WEXITSTATUS(status);
    ASSERT_EQ(WTERMSIG(status), SIGKILL);
    if (!GetParam().commit) {
        // The kill left work half on disk for the next open to roll back.
        EXPECT_TRUE(QFileInfo::exists(directory.filePath(QStringLiteral("SAMPLE.QVM-journal"))));
    }

    const QString expected = GetParam().commit ? "Despues" : "Antes";
    const std::int64_t expectedRows = GetParam().commit ? kRowsPerFile : 1;
    for (const char* name : kFiles) {
        auto file = openFile(name);
        ASSERT_TRUE(file) << name;
        EXPECT_TRUE(file->checkIntegrity().ok()) << name;
        SAMPLE record;
        ASSERT_TRUE(file->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(1) }, record).ok()) << name;
        EXPECT_EQ(record.NOMBRE, expected) << name;
        std::int64_t rows = 0;
        ASSERT_TRUE(file->count(rows).ok());
        EXPECT_EQ(rows, expectedRows) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Kills, KilledTransactionTest,
    testing::Values(KillCase { "BeforeCommit", false }, KillCase { "AfterCommit", true }),
    [](const testing::TestParamInfo<KillCase>& param) { return param.param.name; });

class LockWaitTest : public testing::Test {
protected:
    void SetUp() override
    {
        mine = openFile(kFiles[0]);
        theirs = openFile(kFiles[0]);
        other = openFile(kFiles[1]);
        ASSERT_TRUE(mine && theirs && other);
        mine->setLockWait(std::chrono::milliseconds(200));
        ASSERT_TRUE(mine->add(sample(1, "Ana")).ok());
    }

    nidora::test::ScratchDirectory directory;
    std::unique_ptr<DataFile> mine;
    std::unique_ptr<DataFile> theirs;
    std::unique_ptr<DataFile> other;
};

TEST_F(LockWaitTest, WritesGiveUpAsLockedWhileAnotherConnectionWrites)
{
    ASSERT_TRUE(theirs->beginBuffered().ok());
    ASSERT_TRUE(theirs->add(sample(2, "Eva")).ok());

    EXPECT_EQ(mine->add(sample(3, "Luz")).status, Status::Locked);
    EXPECT_EQ(mine->beginBuffered().status, Status::Locked);
    EXPECT_FALSE(mine->buffered());
    FileTransaction transaction({ other.get(), mine.get() });
    EXPECT_EQ(transaction.begin(std::chrono::milliseconds(200)).status, Status::Locked);
    EXPECT_FALSE(transaction.active());
    // Reading is not held up, and sees only what was committed.
    SAMPLE read;
    EXPECT_TRUE(mine->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(1) }, read).ok());
    EXPECT_EQ(mine->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(2) }, read).status, Status::NotFound);

    // Once the other connection is done, the same writes go through.
    ASSERT_TRUE(theirs->flush().ok());
    EXPECT_TRUE(mine->add(sample(3, "Luz")).ok());
    ASSERT_TRUE(transaction.begin(std::chrono::milliseconds(200)).ok());
    EXPECT_TRUE(other->add(sample(4, "Sol")).ok());
    EXPECT_TRUE(transaction.commit().ok());
}

} // namespace
