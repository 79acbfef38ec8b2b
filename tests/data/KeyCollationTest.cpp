// The key collation SQLite orders the indexes by, against compareAsKey, which orders in memory:
// one order, and the first files' order kept under the columns' own collation.
#include "data/KeyCollation.h"
#include "core/Cp1252.h"
#include "data/SqliteConnection.h"
#include "support/ScratchDirectory.h"
#include "support/SpanishNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace nidora::data {
namespace {

int sign(int n)
{
    return (n > 0) - (n < 0);
}

int collated(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return compareKeyText(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

// The texts of a table read back in a collation's order.
QStringList orderedBy(const char* collation, const QStringList& texts)
{
    test::ScratchDirectory directory;
    sql::Connection raw(directory.filePath(QStringLiteral("ORDER.QVM")), false, true);
    EXPECT_TRUE(registerKeyCollation(raw.handle()));
    EXPECT_TRUE(raw.exec("CREATE TABLE t (x TEXT)"));
    for (const QString& text : texts) {
        sql::Statement* insert = raw.prepare("INSERT INTO t VALUES (?)");
        sql::Connection::Use use(insert);
        insert->bind(1, text);
        insert->step();
    }
    QStringList read;
    sql::Statement* select
        = raw.prepare(QByteArray("SELECT x FROM t ORDER BY x COLLATE ") + collation + ", rowid");
    sql::Connection::Use use(select);
    while (select->step())
        read << select->text(0);
    return read;
}

TEST(KeyCollation, SqliteSortsTheNamesAsCompareAsKeyDoes)
{
    const QStringList expected = test::spanishNamesWithTwins();
    QStringList shuffled = expected;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(39));
    const QStringList read = orderedBy(kKeyCollation, shuffled);
    ASSERT_EQ(read.size(), expected.size());
    for (qsizetype i = 0; i < read.size(); ++i)
        EXPECT_EQ(cp1252::compareAsKey(read[i], expected[i]), 0) << i << " " << read[i].toStdString();
}

TEST(KeyCollation, AgreesWithCompareAsKeyOnEveryPairOfCharactersAndNames)
{
    QStringList texts;
    for (int byte = 0; byte < 256; ++byte)
        texts << QString(cp1252::toUnicode(static_cast<unsigned char>(byte)));
    texts << test::spanishNamesWithTwins() << QStringLiteral("gripe  ") << QString::fromUtf8("Ωmega")
          << QString::fromUtf8("𝄞") << QString() << QStringLiteral("  ") << QString::fromUtf8("ÆSIR")
          << QStringLiteral("AESIR");
    for (const QString& a : texts) {
        for (const QString& b : texts)
            ASSERT_EQ(sign(collated(a, b)), sign(cp1252::compareAsKey(a, b)))
                << a.toStdString() << " / " << b.toStdString();
    }
}

TEST(KeyCollation, MalformedTextStillOrdersTotally)
{
    const char broken[] = "\xC3"; // a lead byte with nothing after it
    const char cut[] = "\xE2\x82"; // a sequence cut short
    EXPECT_EQ(compareKeyText(broken, 1, broken, 1), 0);
    EXPECT_NE(compareKeyText(broken, 1, cut, 2), 0);
    EXPECT_EQ(sign(compareKeyText(broken, 1, cut, 2)), -sign(compareKeyText(cut, 2, broken, 1)));
}

// What a file's indexes built before the key order hold stays readable: the columns' own
// collation keeps the folded bytes' order, the accented capitals and Ñ after Z.
TEST(KeyCollation, TheColumnsCollationKeepsTheFirstFilesOrder)
{
    const QStringList read = orderedBy(kColumnCollation,
        { QStringLiteral("ñandú"), QStringLiteral("ZAPATA"), QStringLiteral("ÁLVAREZ"),
            QStringLiteral("alba"), QStringLiteral("ALBA"), QStringLiteral("Gripe  ") });
    EXPECT_EQ(read,
        (QStringList { QStringLiteral("alba"), QStringLiteral("ALBA"), QStringLiteral("Gripe  "),
            QStringLiteral("ZAPATA"), QStringLiteral("ÁLVAREZ"), QStringLiteral("ñandú") }));
}

} // namespace
} // namespace nidora::data
