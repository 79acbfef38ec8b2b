#include "platform/AppSettings.h"

#include "support/ScratchDirectory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace nidora::platform {
namespace {

// Points the per-user configuration folder into a scratch folder for the test.
class AppSettingsTest : public ::testing::Test {
protected:
    AppSettingsTest()
        : previousConfigHome_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    }
    ~AppSettingsTest() override
    {
        if (previousConfigHome_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previousConfigHome_);
    }

    QStringList everythingUnder(const QString& folder) const
    {
        QStringList found;
        QDirIterator it(
            folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

    QTemporaryDir configHome;
    test::ScratchDirectory workingDirectory;

private:
    QByteArray previousConfigHome_;
};

TEST_F(AppSettingsTest, LivesInTheUserConfigurationFolderNotThePractice)
{
    AppSettings settings;
    EXPECT_FALSE(settings.isOpen());
    settings.open();
    EXPECT_TRUE(settings.isOpen());
    EXPECT_EQ(QFileInfo(settings.filePath()).fileName(), QStringLiteral("nidora.INI"));
    EXPECT_EQ(QFileInfo(settings.filePath()).absolutePath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    EXPECT_TRUE(settings.filePath().startsWith(configHome.path()));
    settings.close();
    EXPECT_FALSE(settings.isOpen());
}

TEST_F(AppSettingsTest, MissingFileIsNoErrorAndNothingIsWritten)
{
    AppSettings settings;
    settings.open();
    settings.update();
    settings.close();
    EXPECT_EQ(everythingUnder(configHome.path()), QStringList());
    EXPECT_EQ(everythingUnder(workingDirectory.path()), QStringList());
}

TEST_F(AppSettingsTest, ExistingFileIsLeftAsItWas)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray contents("[otra]\r\nclave=1\r\n");
    {
        QFile file(QDir(folder).filePath("nidora.INI"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    AppSettings settings;
    settings.open();
    settings.update();
    settings.close();
    QFile file(QDir(folder).filePath("nidora.INI"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), contents);
    EXPECT_EQ(everythingUnder(folder), QStringList { file.fileName() });
}

} // namespace
} // namespace nidora::platform
