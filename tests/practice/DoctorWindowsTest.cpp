#include "views/RecordWindowsTest.h"

#include "controls/ProgramIcon.h"
#include "framework/KeyCodes.h"
#include "platform/PracticeSettings.h"
#include "practice/BrowseMEDICOS.h"
#include "practice/Procedures.h"
#include "shell/FrameRules.h"
#include "shell/Main.h"
#include "shell/MainFrame.h"
#include "views/ProgramGlobals.h"

#include <QAbstractItemView>
#include <QTabWidget>

#include <gmock/gmock.h>

namespace nidora::practice {
namespace {

using data::MEDICOS;
using testing::ElementsAre;
using views::test::doctor;

class DoctorWindowsTest : public views::test::RecordWindowsTest {
protected:
    void startList()
    {
        driver.start([this] {
            BrowseMEDICOS();
            ended = true;
        });
        ASSERT_NE(driver.window(QStringLiteral("Archivo de Médicos")), nullptr);
    }
    void closeList()
    {
        driver.close(QStringLiteral("Archivo de Médicos"));
        ASSERT_TRUE(driver.runUntil([this] { return ended; }));
    }
    bool deleteEnabled() { return driver.find(QStringLiteral("?DELETE:2"))->isEnabled(); }
    QAbstractItemView* list()
    {
        return static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE:1")));
    }

    bool ended = false;
};

TEST_F(DoctorWindowsTest, ListShowsTheDoctorsNamesByNumberUnderItsOneTab)
{
    store(doctor(2, "Gómez"));
    store(doctor(1, "Pérez"));
    startList();
    QAbstractItemModel* rows = list()->model();
    ASSERT_EQ(rows->columnCount(), 1);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Médicos"));
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(0, 0).data().toString().trimmed(), QStringLiteral("Pérez"));
    EXPECT_EQ(rows->index(1, 0).data().toString().trimmed(), QStringLiteral("Gómez"));
    auto* sheet = qobject_cast<QTabWidget*>(driver.find(QStringLiteral("?CURRENTTAB")));
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->count(), 1);
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("Indice por Nombres"));
    closeList();
}

TEST_F(DoctorWindowsTest, DoctorOneCanNeverBeDeletedFromTheList)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    startList();
    EXPECT_FALSE(deleteEnabled());
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Delete);
    EXPECT_EQ(driver.window(QStringLiteral("Borrar Registro?")), nullptr);
    QMenu* menu = openContextMenu(QStringLiteral("?BROWSE:1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(entries(*menu), ElementsAre("&Insert", "&Change"));
    menu->close();

    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    EXPECT_TRUE(deleteEnabled());
    menu = openContextMenu(QStringLiteral("?BROWSE:1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_THAT(entries(*menu), ElementsAre("&Insert", "&Change", "&Delete"));
    menu->close();
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Delete);
    ASSERT_NE(driver.window(QStringLiteral("Borrar Registro?")), nullptr);
    driver.click(QStringLiteral("?OK"));
    const std::vector<MEDICOS> left = all<MEDICOS>();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].CODIGO, 1);
    EXPECT_FALSE(deleteEnabled()); // back on doctor 1
    closeList();
}

TEST_F(DoctorWindowsTest, FormAddsADoctorWithEveryFieldUnderTheNextNumber)
{
    store(doctor(1, "Pérez"));
    startList();
    driver.click(QStringLiteral("?INSERT:2"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Registro")), nullptr);
    const std::pair<const char*, const char*> typed[] = { { "?MED:NOMBRE", "Ana Núñez" },
        { "?MED:MATRICULA", "MP 1234" }, { "?MED:ESPECIALIDAD", "Pediatría" },
        { "?MED:DIRECCION1", "Calle 1" }, { "?MED:DIRECCION2", "Piso 2" }, { "?MED:MAIL", "ana@example.org" },
        { "?MED:OTROS", "Lunes" } };
    for (const auto& [name, text] : typed)
        driver.type(QString::fromUtf8(name), QString::fromUtf8(text));
    driver.click(QStringLiteral("?OK"));
    EXPECT_EQ(driver.window(QStringLiteral("Nuevo Registro")), nullptr);
    const std::vector<MEDICOS> stored = all<MEDICOS>();
    ASSERT_EQ(stored.size(), 2u);
    const MEDICOS& added = stored[1];
    EXPECT_EQ(added.CODIGO, 2);
    EXPECT_THAT((std::vector<QString> { added.NOMBRE, added.MATRICULA, added.ESPECIALIDAD, added.DIRECCION1,
                    added.DIRECCION2, added.MAIL, added.OTROS }),
        ElementsAre("Ana Núñez", "MP 1234", "Pediatría", "Calle 1", "Piso 2", "ana@example.org", "Lunes"));
    closeList();
}

TEST_F(DoctorWindowsTest, FormTakesTheCaptionOfTheButtonThatCalledIt)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    startList();
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    for (const auto& [button, caption] :
        { std::pair { "?INSERT:2", "Nuevo Registro" }, std::pair { "?CHANGE:2", "Editando Registro" },
            std::pair { "?DELETE:2", "Borrar Registro?" } }) {
        driver.click(QString::fromUtf8(button));
        EXPECT_NE(driver.window(QString::fromUtf8(caption)), nullptr) << button;
        driver.click(QStringLiteral("?CANCEL"));
    }
    EXPECT_EQ(all<MEDICOS>().size(), 2u);
    closeList();
}

class CurrentDoctorTest : public DoctorWindowsTest {
protected:
    CurrentDoctorTest() { views::AppGlobals.CurrentPhysician = 1; }
    ~CurrentDoctorTest() override { views::AppGlobals.CurrentPhysician = 0; }

    static QImage picture(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }
    // Whether each row carries the tick of the current doctor or the empty mark.
    std::vector<bool> ticked()
    {
        const QImage tick = picture(controls::programIcon(QStringLiteral("~si.ico")));
        std::vector<bool> marks;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            marks.push_back(
                picture(list()->model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>()) == tick);
        return marks;
    }
};

TEST_F(CurrentDoctorTest, SeleccMakesTheHighlightedDoctorCurrentAndStoresHimInTheSettings)
{
    store(doctor(1, "Pérez"));
    store(doctor(2, "Gómez"));
    store(doctor(3, "Núñez"));
    startList();
    EXPECT_THAT(ticked(), ElementsAre(true, false, false));
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    driver.pressKey(QStringLiteral("?BROWSE:1"), keys::Down);
    driver.click(QStringLiteral("?BUTTON4"));
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, 3);
    EXPECT_EQ(platform::PracticeSettings::read(QStringLiteral("medico")), QStringLiteral("3"));
    EXPECT_THAT(ticked(), ElementsAre(false, false, true));
    closeList();
}

TEST_F(CurrentDoctorTest, SeleccOnAnEmptyListWritesNothing)
{
    startList();
    driver.click(QStringLiteral("?BUTTON4"));
    EXPECT_EQ(views::AppGlobals.CurrentPhysician, 1);
    EXPECT_FALSE(QFileInfo::exists(platform::PracticeSettings::filePath()));
    closeList();
}

TEST_F(DoctorWindowsTest, TheFramesDoctorsCommandOpensTheListOnAThreadOfItsOwn)
{
    store(doctor(1, "Pérez"));
    shell::MainFrame frame;
    shell::FrameServices services;
    services.procedures = procedures();
    const int frameThread
        = framework::StartOnNewThread([&] { shell::runFrameCommand(-3, frame, services); }, 0);
    ASSERT_TRUE(
        driver.runUntil([&] { return driver.window(QStringLiteral("Archivo de Médicos")) != nullptr; }));
    EXPECT_EQ(scheduler.threadCount(), 2); // the command's thread has ended, the list's runs
    EXPECT_EQ(scheduler.find(frameThread), nullptr);
    driver.close(QStringLiteral("Archivo de Médicos"));
    EXPECT_TRUE(driver.runUntil([&] { return scheduler.threadCount() == 1; }));
}

TEST(DoctorProcedures, EnableTheFramesDoctorsCommand)
{
    const shell::FrameCommand* doctors = shell::findFrameCommand(-3);
    ASSERT_NE(doctors, nullptr);
    ASSERT_STREQ(doctors->procedure, "BrowseMEDICOS");
    views::ProgramGlobals globals;
    globals.grantAllRights();
    EXPECT_TRUE(shell::commandAvailable(*doctors, globals, procedures()));
    EXPECT_FALSE(shell::commandAvailable(*doctors, globals, {}));
}

} // namespace
} // namespace nidora::practice
