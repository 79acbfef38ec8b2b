#include "platform/PracticeSettings.h"

#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace nidora::platform {
namespace {

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(PracticeSettings, ReadsTheDoctorAsANumber)
{
    test::ScratchDirectory scratch;
    const std::pair<const char*, int> cases[]
        = { { "0", 0 }, { "", 0 }, { "3", 3 }, { "256", 256 }, { " 7 ", 7 }, { "abc", 0 } };
    for (const auto& [text, number] : cases) {
        putFile(scratch.filePath("nidora.ini"),
            QByteArray("[otra]\r\nmedico=9\r\n[parametros]\r\nmedico=") + text);
        EXPECT_EQ(PracticeSettings::readInt("medico"), number) << '"' << text << '"';
    }
}

TEST(PracticeSettings, FollowsTheWorkingDirectoryOfEachCall)
{
    test::ScratchDirectory first;
    ASSERT_TRUE(PracticeSettings::writeInt("medico", 3));
    EXPECT_EQ(PracticeSettings::filePath(), first.filePath("nidora.ini"));
    {
        test::ScratchDirectory second;
        EXPECT_EQ(PracticeSettings::read("medico"), QString());
        ASSERT_TRUE(PracticeSettings::write("medico", "4"));
    }
    EXPECT_EQ(PracticeSettings::readInt("medico"), 3);
}

TEST(PracticeSettings, UsesAFileOfTheNameInOtherCase)
{
    test::ScratchDirectory scratch;
    putFile(scratch.filePath("NIDORA.INI"), "[PARAMETROS]\r\nMEDICO=2\r\n");
    EXPECT_EQ(PracticeSettings::readInt("medico"), 2);
    ASSERT_TRUE(PracticeSettings::writeInt("intervalo", 90000));
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), QStringList { "NIDORA.INI" });
    EXPECT_EQ(PracticeSettings::readInt("intervalo"), 90000);
}

TEST(PracticeSettings, PrefersTheExactName)
{
    test::ScratchDirectory scratch;
    putFile(scratch.filePath("NIDORA.INI"), "[parametros]\r\nmedico=2\r\n");
    putFile(scratch.filePath("nidora.ini"), "[parametros]\r\nmedico=5\r\n");
    EXPECT_EQ(PracticeSettings::readInt("medico"), 5);
}

} // namespace
} // namespace nidora::platform
