#include "AgendaTestSupport.h"

#include "practice/ParametosAgenda.h"

#include "platform/PracticeSettings.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>

namespace nidora::practice {
namespace {

using platform::PracticeSettings;
using testing::ElementsAre;

class WorkingHoursTest : public test::AgendaTest {
protected:
    void startWindow()
    {
        driver.start([this] {
            ParametosAgenda();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Parámetros Agenda")), nullptr);
    }
    // The keys of the settings file in the order they stand there.
    static QStringList keysInFile()
    {
        QFile file(PracticeSettings::filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList keys;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.contains('='))
                keys << QString::fromUtf8(line.left(line.indexOf('=')));
        return keys;
    }

    bool ended = false;
};

TEST_F(WorkingHoursTest, TheTwentyNineKeysGoWeekdayByWeekdayAndComeBackUnchangedBesideTheDoctor)
{
    const std::vector<QString> keys = workingHoursKeys();
    ASSERT_EQ(keys.size(), 29u);
    EXPECT_THAT((std::vector(keys.begin(), keys.begin() + 5)),
        ElementsAre("horario11", "horario21", "horario31", "horario41", "horario12"));
    EXPECT_EQ(keys[27], QStringLiteral("horario47"));
    EXPECT_EQ(keys[28], QStringLiteral("intervalo"));

    EXPECT_EQ(readWorkingHours(), WorkingHours {}) << "no settings file: every value 0";
    ASSERT_TRUE(PracticeSettings::writeInt(QStringLiteral("medico"), 3));
    WorkingHours hours = test::usualHours();
    hours.at(4, 7) = 7654321;
    ASSERT_TRUE(writeWorkingHours(hours));
    EXPECT_EQ(readWorkingHours(), hours);
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("medico")), QStringLiteral("3"));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("horario11")), QStringLiteral("2880001"));
    QStringList expected { QStringLiteral("medico") };
    for (const QString& key : keys)
        expected << key;
    EXPECT_EQ(keysInFile(), expected);
}

TEST_F(WorkingHoursTest, TheWindowShowsTheFilesHoursAndItsOkWritesWhatWasEdited)
{
    ASSERT_TRUE(writeWorkingHours(test::usualHours()));
    startWindow();
    EXPECT_EQ(shown(QStringLiteral("?HORARIO1_1")), QStringLiteral("08:00"));
    EXPECT_EQ(shown(QStringLiteral("?HORARIO4_2")), QStringLiteral("20:00"));
    EXPECT_EQ(shown(QStringLiteral("?HORARIO1_3")), QString()) << "Wednesday is not set";
    // The interval is a length of time, in minutes.
    EXPECT_EQ(shown(QStringLiteral("?INTERVALO")), QStringLiteral("15"));
    enter(QStringLiteral("?HORARIO1_3"), QStringLiteral("9:30"));
    EXPECT_EQ(AgendaHours.at(1, 3), makeTime(9, 30)) << "in effect at once, for every agenda";
    enter(QStringLiteral("?INTERVALO"), QStringLiteral("20"));
    EXPECT_EQ(AgendaHours.INTERVALO, 20 * timePerMinute);
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("horario13")), QString::number(makeTime(9, 30)));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("intervalo")), QStringLiteral("120000"));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("horario11")), QStringLiteral("2880001"));
}

TEST_F(WorkingHoursTest, StepsGoByAQuarterHourFromABlankTimeAndByFiveMinutesForTheInterval)
{
    startWindow();
    auto* from = static_cast<QAbstractSpinBox*>(driver.find(QStringLiteral("?HORARIO1_1")));
    from->stepUp();
    EXPECT_EQ(shown(QStringLiteral("?HORARIO1_1")), QStringLiteral("00:15"));
    from->stepUp();
    EXPECT_EQ(shown(QStringLiteral("?HORARIO1_1")), QStringLiteral("00:30"));
    auto* interval = static_cast<QAbstractSpinBox*>(driver.find(QStringLiteral("?INTERVALO")));
    interval->stepUp();
    interval->stepUp();
    interval->stepUp();
    EXPECT_EQ(shown(QStringLiteral("?INTERVALO")), QStringLiteral("15"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("horario11")), QString::number(makeTime(0, 30)));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("intervalo")), QStringLiteral("90000"));
}

TEST_F(WorkingHoursTest, ANewInstallationShowsBlanksAndItsOkWritesTwentyNineZeros)
{
    startWindow();
    EXPECT_EQ(shown(QStringLiteral("?HORARIO1_1")), QString());
    EXPECT_EQ(shown(QStringLiteral("?INTERVALO")), QStringLiteral("0"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    for (const QString& key : workingHoursKeys())
        EXPECT_EQ(PracticeSettings::read(key), QStringLiteral("0")) << key.toStdString();
}

TEST_F(WorkingHoursTest, ClosingWithoutOkWritesNothingButTheEditsHoldForThisRun)
{
    ASSERT_TRUE(writeWorkingHours(test::usualHours()));
    startWindow();
    enter(QStringLiteral("?HORARIO2_1"), QStringLiteral("11:00"));
    driver.close(QStringLiteral("Parámetros Agenda"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(AgendaHours.at(2, 1), makeTime(11, 0));
    EXPECT_EQ(readWorkingHours(), test::usualHours());
}

TEST_F(WorkingHoursTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheWindowStaysOpen)
{
    // A folder where the file should be: no write reaches it, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(PracticeSettings::filePath()));
    startWindow();
    enter(QStringLiteral("?HORARIO1_1"), QStringLiteral("8:00"));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.answer(
        QStringLiteral("No se pudo escribir el archivo de configuración nidora.ini"), QStringLiteral("OK")));
    driver.settle();
    EXPECT_FALSE(ended);
    EXPECT_NE(driver.window(QStringLiteral("Parámetros Agenda")), nullptr);
    EXPECT_EQ(AgendaHours.at(1, 1), makeTime(8, 0)) << "in effect for this run all the same";

    // Once the file can be written, OK saves and closes.
    ASSERT_TRUE(QDir(PracticeSettings::filePath()).removeRecursively());
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    EXPECT_EQ(PracticeSettings::read(QStringLiteral("horario11")), QString::number(makeTime(8, 0)));
}

} // namespace
} // namespace nidora::practice
