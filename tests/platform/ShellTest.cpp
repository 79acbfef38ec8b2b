#include "platform/Shell.h"

#include "platform/ShellLauncherDouble.h"
#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace nidora::platform {
namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { putFile("nidora.htm"); }

    void putFile(const QString& name)
    {
        QFile file(scratch.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QUrl fileUrl(const QString& name) const { return QUrl::fromLocalFile(scratch.filePath(name)); }

    // The failure message shown by ShellOpenWithMessage, if any.
    std::optional<QString> openWithMessage(const QString& target)
    {
        std::optional<QString> shown;
        ShellOpenWithMessage(target, [&shown](const QString& text) {
            EXPECT_FALSE(shown) << "a second message";
            shown = text;
        });
        return shown;
    }

    test::ScratchDirectory scratch;
    test::ShellLauncherDouble launcher;
    ShellLauncherService::Override useLauncher { launcher };
};

TEST_F(ShellTest, OpensAnExistingFileQuietly)
{
    EXPECT_EQ(openWithMessage("nidora.htm   "), std::nullopt);
    EXPECT_EQ(openWithMessage(scratch.filePath("nidora.htm")), std::nullopt);
    EXPECT_EQ(launcher.handed, (std::vector { fileUrl("nidora.htm"), fileUrl("nidora.htm") }));
}

TEST_F(ShellTest, FailuresShowTheirTextALineBreakAndTheClippedTarget)
{
    struct Case {
        const char* target;
        bool launcherAccepts;
        const char* message;
    };
    const Case cases[] = {
        { "falta.pdf  ", true, "File not found\nfalta.pdf" },
        { "nocarpeta/rx.jpg", true, "Path not found\nnocarpeta/rx.jpg" },
        { "", true, "File not found\n" },
        { "nidora.htm ", false, "No program associated with this file\nnidora.htm" },
        { "mailto:consultas@example.org", false,
            "No program associated with this file\nmailto:consultas@example.org" },
        { "http://example.org/articulo", false,
            "No program associated with this file\nhttp://example.org/articulo" },
    };
    for (const Case& c : cases) {
        launcher.accepts = c.launcherAccepts;
        EXPECT_EQ(openWithMessage(QString::fromUtf8(c.target)), QString::fromUtf8(c.message)) << c.target;
    }
}

TEST_F(ShellTest, MissingFileIsNeverHandedOn)
{
    ShellOpen("falta.pdf");
    EXPECT_EQ(openWithMessage("falta.pdf"), "File not found\nfalta.pdf");
    EXPECT_TRUE(launcher.handed.empty());
}

TEST_F(ShellTest, ShellOpenHandsAddressesOnAndReportsNothing)
{
    launcher.accepts = false;
    ShellOpen("mailto:consultas@example.org  ");
    EXPECT_EQ(launcher.handed, (std::vector { QUrl("mailto:consultas@example.org") }));
}

TEST_F(ShellTest, DriveLetterIsAFileNameNotAnAddress)
{
    EXPECT_EQ(openWithMessage("C:\\docs\\rx.jpg"), "File not found\nC:\\docs\\rx.jpg");
    EXPECT_TRUE(launcher.handed.empty());
}

TEST_F(ShellTest, TargetIsCutToItsFirst255Characters)
{
    const QString address = "mailto:" + QString(300, u'a');
    ShellOpen(address);
    ASSERT_EQ(launcher.handed.size(), 1u);
    EXPECT_EQ(launcher.handed[0], QUrl(address.left(255)));

    // A file name whose first 255 characters name an existing file opens that file, and the
    // message of a failure names the target as it was given.
    ASSERT_TRUE(QDir(scratch.path()).mkdir("d"));
    const QString name = "d/" + QString(253, u'n');
    putFile(name);
    EXPECT_EQ(openWithMessage(name + "xyz"), std::nullopt);
    EXPECT_EQ(launcher.handed.back(), fileUrl(name));
    launcher.accepts = false;
    EXPECT_EQ(openWithMessage(name + "xyz  "), "No program associated with this file\n" + name + "xyz");
}

} // namespace
} // namespace nidora::platform
