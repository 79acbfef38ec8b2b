#include "platform/IniFile.h"

#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace nidora::platform {
namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class IniFileTest : public ::testing::Test {
protected:
    test::ScratchDirectory scratch;
    QString path = scratch.filePath(QStringLiteral("nidora.ini"));
    IniFile ini { path };
};

struct WriteCase {
    const char* name;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

class IniFileWrite : public IniFileTest, public ::testing::WithParamInterface<WriteCase> { };

TEST_P(IniFileWrite, ChangesOnlyTheKeyLine)
{
    const WriteCase& c = GetParam();
    putFile(path, c.before);
    ASSERT_TRUE(
        ini.write(QString::fromUtf8(c.section), QString::fromUtf8(c.key), QString::fromUtf8(c.value)));
    EXPECT_EQ(fileBytes(path), c.after);
    EXPECT_EQ(ini.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
        QString::fromUtf8(c.value).trimmed());
    // The temporary file of the write has replaced the file; none is left beside it.
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList { "nidora.ini" });
}

INSTANTIATE_TEST_SUITE_P(Files, IniFileWrite,
    ::testing::Values(WriteCase { "CommentsBlankLinesAndOddSpacingKept",
                          "; ajustes\r\n\r\n[otra]\r\nmedico = 9\r\n\r\n[parametros]\r\n  intervalo =  90000 "
                          "\r\nmedico=3\r\n; fin\r\n",
                          "parametros", "medico", "5",
                          "; ajustes\r\n\r\n[otra]\r\nmedico = 9\r\n\r\n[parametros]\r\n  intervalo =  90000 "
                          "\r\nmedico=5\r\n; fin\r\n" },
        WriteCase { "NewKeyAfterLastEntryOfItsSectionLf", "[parametros]\nmedico=3\n\n[otra]\nx=1\n",
            "parametros", "intervalo", "90000", "[parametros]\nmedico=3\nintervalo=90000\n\n[otra]\nx=1\n" },
        WriteCase { "NewKeyInSectionWithoutEntries", "[parametros]\r\n; nada\r\n[otra]\r\n", "parametros",
            "medico", "1", "[parametros]\r\nmedico=1\r\n; nada\r\n[otra]\r\n" },
        WriteCase { "LastLineWithoutNewlineStaysSo", "[parametros]\r\nmedico=3", "parametros", "medico", "4",
            "[parametros]\r\nmedico=4" },
        WriteCase { "NewSectionAfterLastLineWithoutNewline", "[otra]\nx=1", "parametros", "medico", "4",
            "[otra]\nx=1\n[parametros]\nmedico=4\n" },
        WriteCase { "NewKeyAfterLastLineWithoutNewline", "[parametros]\nmedico=3", "parametros", "intervalo",
            "0", "[parametros]\nmedico=3\nintervalo=0\n" },
        WriteCase { "DuplicateSectionFirstWins", "[parametros]\r\nmedico=1\r\n[parametros]\r\nmedico=2\r\n",
            "parametros", "medico", "7", "[parametros]\r\nmedico=7\r\n[parametros]\r\nmedico=2\r\n" },
        WriteCase { "NamesInOtherCaseKeepTheirSpelling", "[PARAMETROS]\r\nMedico=3\r\n", "parametros",
            "medico", "4", "[PARAMETROS]\r\nMedico=4\r\n" },
        WriteCase { "BytesThatAreNotUtf8Kept",
            "; m\xE9"
            "dico\r\n[parametros]\r\nmedico=1\r\n",
            "parametros", "medico", "2",
            "; m\xE9"
            "dico\r\n[parametros]\r\nmedico=2\r\n" },
        WriteCase { "ByteOrderMarkKept", "\xEF\xBB\xBF[parametros]\nmedico=1\n", "parametros", "medico", "2",
            "\xEF\xBB\xBF[parametros]\nmedico=2\n" },
        WriteCase { "SameKeyBeforeAnySectionUntouched", "medico=9\n[parametros]\n", "parametros", "medico",
            "1", "medico=9\n[parametros]\nmedico=1\n" },
        WriteCase { "ValueWrittenAsGiven", "[parametros]\r\n", "parametros", "texto", " a = b ",
            "[parametros]\r\ntexto= a = b \r\n" },
        WriteCase { "EmptyFileGetsCrLf", "", "parametros", "medico", "3", "[parametros]\r\nmedico=3\r\n" }),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct ReadCase {
    const char* name;
    QByteArray file;
    const char* section;
    const char* key;
    const char* expected;
};

class IniFileRead : public IniFileTest, public ::testing::WithParamInterface<ReadCase> { };

TEST_P(IniFileRead, FindsTheValue)
{
    const ReadCase& c = GetParam();
    putFile(path, c.file);
    EXPECT_EQ(
        ini.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Files, IniFileRead,
    ::testing::Values(ReadCase { "CrLf", "[parametros]\r\nmedico=3\r\n", "parametros", "medico", "3" },
        ReadCase { "Lf", "[parametros]\nmedico=3\n", "parametros", "medico", "3" },
        ReadCase { "NoFinalNewline", "[parametros]\nmedico=3", "parametros", "medico", "3" },
        ReadCase { "OtherCase", "[ParaMetros]\nMEDICO=3\n", "parametros", "medico", "3" },
        ReadCase { "SpacesTrimmed", "  [ parametros ]  \n\tmedico  =  3  \n", "parametros", "medico", "3" },
        ReadCase { "FirstOfDuplicateSections", "[parametros]\nmedico=1\n[parametros]\nmedico=2\nx=5\n",
            "parametros", "medico", "1" },
        ReadCase { "KeyOnlyInLaterDuplicateSection", "[parametros]\nmedico=1\n[parametros]\nx=5\n",
            "parametros", "x", "" },
        ReadCase {
            "FirstOfDuplicateKeys", "[parametros]\nmedico=1\nmedico=2\n", "parametros", "medico", "1" },
        ReadCase { "KeyOfAnotherSection", "[otra]\nmedico=1\n[parametros]\n", "parametros", "medico", "" },
        ReadCase { "CommentedOut", "[parametros]\n;medico=1\n", "parametros", "medico", "" },
        ReadCase { "EqualsInValue", "[parametros]\nclave=a=b\n", "parametros", "clave", "a=b" },
        ReadCase { "MissingSection", "[otra]\nmedico=1\n", "parametros", "medico", "" },
        ReadCase { "ByteOrderMark", "\xEF\xBB\xBF[parametros]\nmedico=3\n", "parametros", "medico", "3" }),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(IniFileTest, MissingFileReadsEmptyAndZero)
{
    EXPECT_EQ(ini.read("parametros", "medico"), QString());
    EXPECT_EQ(ini.readInt("parametros", "medico"), 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(IniFileTest, MissingFileIsCreatedWithCrLf)
{
    ASSERT_TRUE(ini.writeInt("parametros", "horario11", 2880001));
    ASSERT_TRUE(ini.writeInt("parametros", "horario21", -5));
    EXPECT_EQ(fileBytes(path), QByteArray("[parametros]\r\nhorario11=2880001\r\nhorario21=-5\r\n"));
}

TEST_F(IniFileTest, RefusesWhatWouldNotReadBackAndLeavesTheFile)
{
    const QByteArray before("[parametros]\r\nmedico=3\r\n");
    putFile(path, before);
    struct Refused {
        const char* section;
        const char* key;
        const char* value;
    };
    for (const Refused& r :
        { Refused { "parametros", "medico", "3\r\n[otra]" }, Refused { "parametros", "medico", "3\nx=1" },
            Refused { "parametros", "me=dico", "1" }, Refused { "parametros", ";medico", "1" },
            Refused { "parametros", "", "1" }, Refused { "parametros", " medico", "1" },
            Refused { "para]metros", "medico", "1" }, Refused { "", "medico", "1" } }) {
        EXPECT_FALSE(
            ini.write(QString::fromUtf8(r.section), QString::fromUtf8(r.key), QString::fromUtf8(r.value)))
            << r.section << " / " << r.key;
    }
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(IniFileTest, SeveralKeysInOneRewriteAllOrNothing)
{
    putFile(path, "[parametros]\nmedico=3\n[otra]\n");
    ASSERT_TRUE(ini.write("parametros",
        IniEntries { { "horario11", "2880001" }, { "medico", "4" }, { "intervalo", "90000" } }));
    EXPECT_EQ(
        fileBytes(path), QByteArray("[parametros]\nmedico=4\nhorario11=2880001\nintervalo=90000\n[otra]\n"));

    EXPECT_FALSE(ini.write("parametros", IniEntries { { "medico", "5" }, { "horario21", "1\n[x]" } }));
    EXPECT_EQ(ini.readInt("parametros", "medico"), 4);
    EXPECT_EQ(ini.read("parametros", "horario21"), QString());
}

TEST_F(IniFileTest, PathThatCannotBeReadIsNeitherReadNorReplaced)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir("nidora.ini"));
    EXPECT_EQ(ini.read("parametros", "medico"), QString());
    EXPECT_FALSE(ini.write("parametros", "medico", "3"));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(IniFileToInt, DecimalTextOrZero)
{
    const std::pair<const char*, int> cases[] = { { "0", 0 }, { "", 0 }, { "3", 3 }, { "256", 256 },
        { " 7 ", 7 }, { "abc", 0 }, { "-2", -2 }, { "+4", 4 }, { "12abc", 0 }, { "1.5", 0 }, { "0x10", 0 },
        { "2147483647", 2147483647 }, { "99999999999", 0 } };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(IniFile::toInt(QString::fromUtf8(text)), number) << '"' << text << '"';
}

} // namespace
} // namespace nidora::platform
