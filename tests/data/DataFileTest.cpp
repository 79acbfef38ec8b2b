// Keyed reads and writes on a real SQLite data file in a scratch working directory.
#include "data/DataFile.h"
#include "SampleFile.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace nidora::data;
using nidora::test::SAMPLE;
using nidora::test::sample;
using nidora::test::sampleFile;
using nidora::test::sampleKey;

namespace {

class DataFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto opened = DataFile::open(sampleFile());
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
        EXPECT_TRUE(opened.created);
        file = std::move(opened.file);
    }

    RecordRef add(const SAMPLE& record)
    {
        RecordRef ref;
        const Outcome outcome = file->add(record, &ref);
        EXPECT_TRUE(outcome.ok()) << outcome.errorText().toStdString();
        return ref;
    }

    // Codes of the records read in a key's order from a position.
    std::vector<int> codes(
        const KeyDesc* key, const Position& from = {}, Direction direction = Direction::Forward, int n = 100)
    {
        std::vector<int> seen;
        const Outcome outcome
            = file->page(key, from, direction, n, [&](const RecordRef&, const Record& record) {
                  seen.push_back(static_cast<const SAMPLE&>(record).CODIGO);
              });
        EXPECT_TRUE(outcome.ok()) << outcome.errorText().toStdString();
        return seen;
    }

    nidora::test::ScratchDirectory directory;
    std::unique_ptr<DataFile> file;
};

TEST_F(DataFileTest, MissingFileIsCreatedInTheWorkingDirectoryAndReopens)
{
    EXPECT_TRUE(QFileInfo::exists(directory.filePath("SAMPLE.QVM")));
    add(sample(1, "Ana"));
    file.reset();
    auto again = DataFile::open(sampleFile());
    ASSERT_TRUE(again.outcome.ok());
    EXPECT_FALSE(again.created);
    SAMPLE read;
    EXPECT_TRUE(again.file->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(1) }, read).ok());
    EXPECT_EQ(read.NOMBRE, "Ana");
}

TEST_F(DataFileTest, EveryKindOfFieldRoundTrips)
{
    SAMPLE record = sample(7, "Ana", "B+");
    record.IMPORTE = 999999999; // 9999999.99: exact, no floating point on the way
    record.MARCAS = { 1, 0, 255 };
    record.VALOR = 2.5;
    record.NOTAS = QStringLiteral("Fiebre alta\ndesde ayer");
    const RecordRef ref = add(record);
    EXPECT_GT(ref.id, 0);

    SAMPLE read;
    RecordRef readRef;
    ASSERT_TRUE(file->read(ref.id, read, &readRef).ok());
    EXPECT_EQ(readRef.id, ref.id);
    EXPECT_EQ(readRef.version, ref.version);
    EXPECT_EQ(read.CODIGO, 7);
    EXPECT_EQ(read.NOMBRE, "Ana");
    EXPECT_EQ(read.GRUPO, "B+");
    EXPECT_EQ(read.IMPORTE, 999999999);
    EXPECT_EQ(read.MARCAS, record.MARCAS);
    EXPECT_EQ(read.VALOR, 2.5);
    EXPECT_EQ(read.NOTAS, record.NOTAS);
}

TEST_F(DataFileTest, TextIsFittedToTheFieldInWindows1252Characters)
{
    struct Case {
        QString stored;
        QString read;
    };
    const std::vector<Case> cases = {
        { "ABCDEFGHIJ", "ABCDEFGHIJ" }, // exactly ten
        { "KLMNOPQRSTUVW", "KLMNOPQRST" }, // longer: cut
        { QString::fromUtf8("€šŸ ñÁ"), QString::fromUtf8("€šŸ ñÁ") }, // code-page-only letters
        { "Ana   ", "Ana" }, // trailing spaces are not kept
        { QString::fromUtf8("Señora Müller"), QString::fromUtf8("Señora Mül") },
    };
    int code = 1;
    for (const Case& c : cases) {
        const RecordRef ref = add(sample(code++, c.stored));
        SAMPLE read;
        ASSERT_TRUE(file->read(ref.id, read).ok());
        EXPECT_EQ(read.NOMBRE, c.read) << c.stored.toStdString();
        SAMPLE found;
        EXPECT_TRUE(file->fetch(sampleKey("SAM:KNOMBRE"), { c.stored }, found).ok())
            << c.stored.toStdString();
    }
    SAMPLE longMemo = sample(code, "Memo");
    longMemo.NOTAS = QString(80, QLatin1Char('x'));
    const RecordRef ref = add(longMemo);
    SAMPLE read;
    ASSERT_TRUE(file->read(ref.id, read).ok());
    EXPECT_EQ(read.NOTAS.size(), 50);
}

TEST_F(DataFileTest, UniqueKeysCompareWithoutCaseAndNameTheKeyRefused)
{
    add(sample(1, "Gripe"));
    for (const char* name : { "GRIPE", "gripe  ", "gRiPe" }) {
        const Outcome outcome = file->add(sample(2, name));
        EXPECT_EQ(outcome.status, Status::Duplicate) << name;
        ASSERT_NE(outcome.key, nullptr);
        EXPECT_EQ(outcome.key->description, "Indice por nombre");
    }
    // Accented letters fold too: "ÑANDÚ" and "ñandú" are one key value.
    add(sample(3, QString::fromUtf8("ÑANDÚ")));
    EXPECT_EQ(file->add(sample(4, QString::fromUtf8("ñandú"))).status, Status::Duplicate);
    // An accent makes another key value, though it sorts beside the plain one.
    add(sample(5, QString::fromUtf8("GRIPÉ")));
    EXPECT_EQ(file->add(sample(6, QString::fromUtf8("gripé"))).status, Status::Duplicate);
    const Outcome code = file->add(sample(1, "Otro"));
    EXPECT_EQ(code.status, Status::Duplicate);
    EXPECT_EQ(code.key, &sampleKey("SAM:KCODIGO"));
    std::int64_t records = 0;
    ASSERT_TRUE(file->count(records).ok());
    EXPECT_EQ(records, 3);
}

TEST_F(DataFileTest, BlankEntriesAreLeftOutOfTheirKeyButStayInTheFile)
{
    // Several records with a blank name coexist on the unique name key.
    add(sample(1, "", "A"));
    add(sample(2, "", "A"));
    add(sample(3, "Eva", ""));
    add(sample(0, "Zoe", "A"));
    EXPECT_EQ(codes(&sampleKey("SAM:KNOMBRE")), (std::vector<int> { 3, 0 }));
    EXPECT_EQ(codes(&sampleKey("SAM:KCODIGO")), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(codes(&sampleKey("SAM:KGRUPO")), (std::vector<int> { 3, 0, 1, 2 })); // not blank: CODIGO
    // VALOR 0 is a value of its key: every record is listed.
    EXPECT_EQ(codes(&sampleKey("SAM:KVALOR")).size(), 4u);
    EXPECT_EQ(codes(nullptr).size(), 4u);
    SAMPLE read;
    EXPECT_EQ(file->fetch(sampleKey("SAM:KNOMBRE"), { QString() }, read).status, Status::NotFound);
    EXPECT_EQ(file->fetch(sampleKey("SAM:KCODIGO"), { std::int64_t(0) }, read).status, Status::NotFound);
}

TEST_F(DataFileTest, PagesResumeStablyThroughDuplicatesInBothDirections)
{
    // Five records in group "X" share the leading component; the identity orders them.
    for (int code = 1; code <= 9; ++code)
        add(sample(code, QStringLiteral("N%1").arg(code), code % 2 ? "X" : "y"));
    const KeyDesc& key = sampleKey("SAM:KNOMBRE");
    const KeyDesc& group = sampleKey("SAM:KGRUPO");

    std::vector<int> forward;
    Position at;
    for (;;) {
        int got = 0;
        ASSERT_TRUE(file->page(&key, at, Direction::Forward, 4,
                            [&](const RecordRef& ref, const Record& record) {
                                forward.push_back(static_cast<const SAMPLE&>(record).CODIGO);
                                at = file->positionOf(key, record, ref.id);
                                ++got;
                            })
                        .ok());
        if (got < 4)
            break;
    }
    EXPECT_EQ(forward, (std::vector<int> { 1, 2, 3, 4, 5, 6, 7, 8, 9 }));

    EXPECT_EQ(codes(&group), (std::vector<int> { 1, 3, 5, 7, 9, 2, 4, 6, 8 }));
    EXPECT_EQ(codes(&group, {}, Direction::Backward, 3), (std::vector<int> { 8, 6, 4 }));
    // At-or-after a prefix of the key, and at-or-before it.
    EXPECT_EQ(codes(&group, { { QString("Y") } }, Direction::Forward, 2), (std::vector<int> { 2, 4 }));
    EXPECT_EQ(codes(&group, { { QString("x") } }, Direction::Backward, 2), (std::vector<int> { 9, 7 }));
    EXPECT_EQ(codes(&group, { { QString("x"), std::int64_t(5) } }, Direction::Forward, 2),
        (std::vector<int> { 5, 7 }));
    // In record order, from an identity onwards.
    EXPECT_EQ(codes(nullptr, { {}, 7 }, Direction::Forward), (std::vector<int> { 8, 9 }));
    EXPECT_EQ(codes(nullptr, {}, Direction::Backward, 2), (std::vector<int> { 9, 8 }));

    SAMPLE first;
    SAMPLE last;
    ASSERT_TRUE(file->step(&key, {}, Direction::Forward, first).ok());
    ASSERT_TRUE(file->step(&key, {}, Direction::Backward, last).ok());
    EXPECT_EQ(first.CODIGO, 1);
    EXPECT_EQ(last.CODIGO, 9);
    EXPECT_EQ(file->step(&key, { { QString("Z") } }, Direction::Forward, first).status, Status::NotFound);
}

TEST_F(DataFileTest, ChangeChecksTheVersionItRead)
{
    RecordRef mine = add(sample(1, "Ana"));
    RecordRef theirs = mine;
    ASSERT_TRUE(file->change(theirs, sample(1, "Ana Maria")).ok());
    EXPECT_EQ(theirs.version, mine.version + 1);

    EXPECT_EQ(file->change(mine, sample(1, "Anita")).status, Status::Changed);
    SAMPLE read;
    ASSERT_TRUE(file->read(mine.id, read).ok());
    EXPECT_EQ(read.NOMBRE, "Ana Maria");

    add(sample(2, "Eva"));
    EXPECT_EQ(file->change(theirs, sample(1, "EVA")).status, Status::Duplicate);
    ASSERT_TRUE(file->remove(theirs.id).ok());
    EXPECT_EQ(file->change(theirs, sample(1, "Ana")).status, Status::NotFound);
    EXPECT_EQ(file->remove(theirs.id).status, Status::NotFound);
}

TEST_F(DataFileTest, IdentitiesAreNeverReusedAndHighestFollowsTheKey)
{
    std::int64_t highest = 0;
    EXPECT_EQ(file->highest(sampleKey("SAM:KCODIGO"), highest).status, Status::NotFound);
    add(sample(41, "A"));
    const RecordRef last = add(sample(3, "B"));
    ASSERT_TRUE(file->highest(sampleKey("SAM:KCODIGO"), highest).ok());
    EXPECT_EQ(highest, 41);
    ASSERT_TRUE(file->remove(last.id).ok());
    EXPECT_GT(add(sample(4, "C")).id, last.id);
}

TEST_F(DataFileTest, ReadsHoldNoLockBetweenCalls)
{
    for (int code = 1; code <= 5; ++code)
        add(sample(code, QStringLiteral("N%1").arg(code)));
    auto other = DataFile::open(sampleFile());
    ASSERT_TRUE(other.outcome.ok());
    other.file->setLockWait(std::chrono::milliseconds(0));
    // A page read by this connection leaves the other one free to write at once, even
    // from inside the visitor.
    Outcome written;
    int code = 100;
    file->page(&sampleKey("SAM:KNOMBRE"), {}, Direction::Forward, 2, [&](const RecordRef&, const Record&) {
        ++code;
        written = other.file->add(sample(code, QStringLiteral("W%1").arg(code)));
    });
    EXPECT_TRUE(written.ok()) << written.errorText().toStdString();
}

TEST_F(DataFileTest, BufferedFillsAndEmptyRecreation)
{
    ASSERT_TRUE(file->beginBuffered().ok());
    for (int code = 1; code <= 300; ++code)
        add(sample(code, QStringLiteral("N%1").arg(code)));
    ASSERT_TRUE(file->flush().ok());
    EXPECT_FALSE(file->buffered());
    file.reset();

    ASSERT_TRUE(DataFile::createEmpty(sampleFile()).ok());
    auto again = DataFile::open(sampleFile());
    ASSERT_TRUE(again.outcome.ok()) << again.outcome.errorText().toStdString();
    std::int64_t records = -1;
    ASSERT_TRUE(again.file->count(records).ok());
    EXPECT_EQ(records, 0);
}

TEST_F(DataFileTest, ScratchCopiesStayInTheWorkingDirectory)
{
    const QString copy = DataFile::copyFileName(sampleFile(), 2);
    EXPECT_EQ(copy, "SAMPL002.QVM");
    OpenOptions options;
    options.fileName = copy;
    auto opened = DataFile::open(sampleFile(), OpenMode::ReadWrite, options);
    ASSERT_TRUE(opened.outcome.ok());
    ASSERT_TRUE(opened.file->add(sample(1, "Copia")).ok());
    EXPECT_TRUE(QFileInfo::exists(directory.filePath(copy)));
    opened.file.reset();
    EXPECT_TRUE(DataFile::removeFile(copy));
    EXPECT_FALSE(QFileInfo::exists(directory.filePath(copy)));
    SAMPLE read;
    EXPECT_EQ(file->fetch(sampleKey("SAM:KNOMBRE"), { QString("Copia") }, read).status, Status::NotFound);
}

} // namespace
