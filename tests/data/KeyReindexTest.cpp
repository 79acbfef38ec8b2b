// A data file whose keys were built in the first files' order (accented capitals and Ñ after Z)
// is re-indexed in the key order once, when it is first opened by a station that may write it.
#include "SampleFile.h"
#include "data/DataFile.h"
#include "data/KeyCollation.h"
#include "data/SqlSchema.h"
#include "data/SqliteConnection.h"
#include "support/ScratchDirectory.h"
#include "support/SpanishNames.h"

#include <gtest/gtest.h>

namespace nidora::data {
namespace {

using test::SAMPLE;
using test::sample;
using test::sampleFile;
using test::sampleKey;

const QString kSampleFile = QStringLiteral("SAMPLE.QVM");

class KeyReindexTest : public testing::Test {
protected:
    // The sample file holding the names (in reverse, so that record order says nothing), its
    // keys then rebuilt as the first files defined and ordered them.
    void SetUp() override
    {
        {
            auto opened = DataFile::open(sampleFile());
            ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
            const QStringList names = test::spanishNames();
            for (qsizetype i = names.size() - 1; i >= 0; --i)
                ASSERT_TRUE(opened.file->add(sample(std::int32_t(i + 1), names[i], names[i].left(6))).ok());
        }
        sql::Connection raw(kSampleFile, false, false);
        ASSERT_TRUE(registerKeyCollation(raw.handle()));
        const SqlSchema schema(sampleFile());
        for (std::size_t k = 0; k < sampleFile().keys.size(); ++k) {
            ASSERT_TRUE(raw.exec("DROP INDEX " + sql::quoted(sampleFile().keys[k].name) + "; "
                + schema.createIndexInFirstOrder(int(k))))
                << raw.error().text.toStdString();
        }
    }

    // How each key's index is defined on disk, and how many times the schema changed.
    static QByteArray indexSql(const char* key)
    {
        sql::Connection raw(kSampleFile, true, false);
        sql::Statement* statement = raw.prepare("SELECT sql FROM sqlite_schema WHERE name = ?");
        sql::Connection::Use use(statement);
        statement->bind(1, QString::fromUtf8(key));
        return statement->step() ? statement->text(0).toUtf8() : QByteArray();
    }
    static std::int64_t schemaVersion()
    {
        sql::Connection raw(kSampleFile, true, false);
        sql::Statement* statement = raw.prepare("PRAGMA schema_version");
        sql::Connection::Use use(statement);
        return statement->step() ? statement->int64(0) : -1;
    }
    static QByteArray inKeyOrder(const char* key)
    {
        const SqlSchema schema(sampleFile());
        return schema.createIndex(schema.keyIndex(sampleKey(key)));
    }
    static QByteArray inFirstOrder(const char* key)
    {
        const SqlSchema schema(sampleFile());
        return schema.createIndexInFirstOrder(schema.keyIndex(sampleKey(key)));
    }

    // The names read in a key's order, from the start or from a text.
    static QStringList names(DataFile& file, const char* key, const QString& from = {})
    {
        QStringList read;
        Position position;
        if (!from.isNull())
            position.values = { from };
        const Outcome outcome = file.page(
            &sampleKey(key), position, Direction::Forward, 100, [&](const RecordRef&, const Record& record) {
                read << static_cast<const SAMPLE&>(record).NOMBRE;
            });
        EXPECT_TRUE(outcome.ok()) << outcome.errorText().toStdString();
        return read;
    }

    // Every key of the file finds and orders the names as the key order does.
    static void expectKeyOrder(DataFile& file)
    {
        EXPECT_EQ(names(file, "SAM:KNOMBRE"), test::spanishNames());
        EXPECT_EQ(names(file, "SAM:KNOMBRE", QStringLiteral("Ñ")),
            (QStringList { QStringLiteral("ÑANDÚ"), QStringLiteral("OCAMPO"), QStringLiteral("ÚBEDA"),
                QStringLiteral("ZAPATA") }));
        EXPECT_EQ(names(file, "SAM:KGRUPO").front(), QStringLiteral("ALBA"));
        SAMPLE read;
        ASSERT_TRUE(file.fetch(sampleKey("SAM:KNOMBRE"), { QStringLiteral("álvarez") }, read).ok());
        EXPECT_EQ(read.NOMBRE, QStringLiteral("ÁLVAREZ"));
        ASSERT_TRUE(file.fetch(sampleKey("SAM:KNOMBRE"), { QStringLiteral("ñandú") }, read).ok());
        EXPECT_EQ(read.NOMBRE, QStringLiteral("ÑANDÚ"));
    }

    test::ScratchDirectory directory;
};

TEST_F(KeyReindexTest, IsReindexedOnceWhenOpenedAndFoundByKey)
{
    ASSERT_EQ(indexSql("SAM:KNOMBRE"), inFirstOrder("SAM:KNOMBRE"));
    ASSERT_NE(inFirstOrder("SAM:KNOMBRE"), inKeyOrder("SAM:KNOMBRE"));
    {
        auto opened = DataFile::open(sampleFile());
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
        EXPECT_FALSE(opened.created);
        for (const char* key : { "SAM:KNOMBRE", "SAM:KGRUPO", "SAM:KCODIGO", "SAM:KVALOR" })
            EXPECT_EQ(indexSql(key), inKeyOrder(key)) << key;
        expectKeyOrder(*opened.file);
        EXPECT_TRUE(opened.file->checkIntegrity().ok());
        // The unique key refuses what it refused and accepts what it accepted.
        EXPECT_EQ(opened.file->add(sample(20, QStringLiteral("alba"))).status, Status::Duplicate);
        EXPECT_TRUE(opened.file->add(sample(21, QStringLiteral("ALBÁ"))).ok());
    }
    // Opening it again changes nothing: its indexes say they follow the key order.
    const std::int64_t reindexed = schemaVersion();
    {
        auto opened = DataFile::open(sampleFile());
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
    }
    EXPECT_EQ(schemaVersion(), reindexed);
}

// A station that may not write the file reads it in the key order all the same (SQLite leaves
// the old indexes aside) and leaves it as it was for one that may.
TEST_F(KeyReindexTest, ReadOnlyReadsInTheKeyOrderAndLeavesTheFileAsItWas)
{
    const std::int64_t before = schemaVersion();
    {
        auto opened = DataFile::open(sampleFile(), OpenMode::ReadOnly);
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
        expectKeyOrder(*opened.file);
        EXPECT_TRUE(opened.file->checkIntegrity().ok());
    }
    EXPECT_EQ(schemaVersion(), before);
    EXPECT_EQ(indexSql("SAM:KNOMBRE"), inFirstOrder("SAM:KNOMBRE"));
}

// The re-index waits for the write lock like any write: while another connection holds it,
// the open reports the file locked and the file keeps its old indexes whole.
TEST_F(KeyReindexTest, WaitsForTheWriteLockOfAnotherConnection)
{
    {
        sql::Connection other(kSampleFile, false, false);
        ASSERT_TRUE(registerKeyCollation(other.handle()));
        ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
        OpenOptions options;
        options.lockWait = std::chrono::milliseconds(50);
        auto opened = DataFile::open(sampleFile(), OpenMode::ReadWrite, options);
        EXPECT_EQ(opened.outcome.status, Status::Locked) << opened.outcome.errorText().toStdString();
        ASSERT_TRUE(other.exec("COMMIT"));
    }
    EXPECT_EQ(indexSql("SAM:KNOMBRE"), inFirstOrder("SAM:KNOMBRE"));
    auto opened = DataFile::open(sampleFile());
    ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
    EXPECT_EQ(indexSql("SAM:KNOMBRE"), inKeyOrder("SAM:KNOMBRE"));
    expectKeyOrder(*opened.file);
}

} // namespace
} // namespace nidora::data
