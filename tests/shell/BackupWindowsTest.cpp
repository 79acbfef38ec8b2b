// The backup and restore windows: they work only on thread 2, copy into or from the folder the
// user chooses, and say plainly when the copy did not complete.
#include "platform/FolderChooserDouble.h"
#include "views/RecordWindowsTest.h"

#include "data/BackupFolder.h"
#include "data/FileBackup.h"
#include "data/SqliteConnection.h"
#include "framework/Window.h"
#include "shell/BackupWindows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include <gmock/gmock.h>

namespace nidora::shell {
namespace {

using testing::HasSubstr;

class BackupWindowsTest : public views::test::RecordWindowsTest {
protected:
    BackupWindowsTest()
    {
        for (data::FileId id : data::backedUpFiles())
            EXPECT_TRUE(data::DataFile::createEmpty(data::fileDesc(id)).ok());
        EXPECT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("copia")));
        chooser.answer = folder();
    }

    QString folder() const { return scratch.filePath(QStringLiteral("copia")); }
    QString entryText() const
    {
        return static_cast<QLineEdit*>(driver.find(QStringLiteral("?Carpeta")))->text().trimmed();
    }

    // Starts the window on a new thread (thread 2 when nothing else runs).
    void start(void (*procedure)(), const char* caption)
    {
        driver.start([this, procedure] {
            procedure();
            ++ended;
        });
        ASSERT_NE(driver.window(QString::fromUtf8(caption)), nullptr);
    }

    // Chooses the folder through the button and presses "Aceptar"; the message it ends with.
    QString copyThroughTheFolderButton(QString* caption = nullptr)
    {
        driver.click(QStringLiteral("?Buscar"));
        EXPECT_EQ(entryText(), folder());
        driver.click(QStringLiteral("?OK"));
        QString text;
        EXPECT_TRUE(driver.runUntil([&] {
            QMessageBox* box = driver.messageBox(QString());
            if (box) {
                text = box->text();
                if (caption)
                    *caption = box->windowTitle();
            }
            return box != nullptr;
        }));
        EXPECT_TRUE(driver.answer(text, QStringLiteral("OK")));
        EXPECT_TRUE(driver.runUntil([this] { return ended == 1; }));
        return text;
    }

    void backUpNow()
    {
        data::FileBackup backup(data::FileBackup::Kind::Backup, scratch.path(), folder());
        while (!backup.wait(std::chrono::milliseconds(10))) { }
        ASSERT_TRUE(backup.result().complete());
    }

    test::FolderChooserDouble chooser;
    platform::FolderChooserService::Override useChooser { chooser };
    int ended = 0;
};

TEST_F(BackupWindowsTest, ABackupCopiesTheDataFilesIntoTheChosenFolder)
{
    store(nidora::test::patient(7, "GARCIA JUAN"));
    start(PantallaCopia, "Copia de Datos");
    EXPECT_EQ(entryText(), QDir::toNativeSeparators(QDir::homePath()));

    EXPECT_EQ(copyThroughTheFolderButton(), QStringLiteral("PROCESO COMPLETADO"));

    EXPECT_EQ(chooser.askedTitle, QStringLiteral("Select A File"));
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 20) << "the 19 files and their list";
    EXPECT_FALSE(QFile::exists(QDir(folder()).filePath(QStringLiteral("ACCESOS.QVM"))));
    const QString copied = QDir(folder()).filePath(QStringLiteral("PACIENTE.QVM"));
    EXPECT_EQ(QFile(copied).size(), QFile(scratch.filePath(QStringLiteral("PACIENTE.QVM"))).size());
}

// A folder that lacks one of its backup's files holds no whole backup: the restore says so, in
// a box captioned as its own window, and restores nothing.
TEST_F(BackupWindowsTest, ARestoreFromAFolderWithoutAWholeBackupSaysSoAndRestoresNothing)
{
    store(nidora::test::patient(7, "GARCIA JUAN"));
    backUpNow();
    QFile::remove(QDir(folder()).filePath(QStringLiteral("MEDICOS.QVM")));
    store(nidora::test::patient(8, "LOPEZ ANA"));
    start(PantallaRestaurar, "Restaurar Datos");

    QString caption;
    const QString said = copyThroughTheFolderButton(&caption);

    EXPECT_EQ(caption, QStringLiteral("Restaurar Datos"));
    EXPECT_THAT(said.toStdString(), HasSubstr("EL PROCESO NO SE COMPLETÓ."));
    EXPECT_THAT(said.toStdString(), HasSubstr("La carpeta de origen no contiene una copia completa."));
    EXPECT_THAT(said.toStdString(), HasSubstr("No se restauró ningún archivo."));
    nidora::test::DiskFiles restored;
    EXPECT_EQ(restored.all<data::PACIENTES>().size(), 2U);
}

// Closed while it copies, the backup window stops there: no copy is left in the folder, whose
// earlier backup stays whole.
TEST_F(BackupWindowsTest, ClosingTheBackupWindowDuringTheCopyLeavesNoCopyBehind)
{
    backUpNow();
    const QStringList earlier = QDir(folder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    // Another station's write lock on the patients keeps the copy in hand until the close.
    data::sql::Connection holder(scratch.filePath(QStringLiteral("PACIENTE.QVM")), false, false);
    ASSERT_TRUE(holder.exec("BEGIN EXCLUSIVE"));
    start(PantallaCopia, "Copia de Datos");
    driver.click(QStringLiteral("?Buscar"));
    driver.click(QStringLiteral("?OK"));
    ASSERT_TRUE(driver.runUntil(
        [this] { return QFileInfo::exists(QDir(folder()).filePath(QStringLiteral("COPIA.TMP"))); }));

    driver.close(QStringLiteral("Copia de Datos"));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 1; }));

    EXPECT_EQ(driver.messageBox(QString()), nullptr) << "nothing to say: the user closed it";
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), earlier);
    EXPECT_TRUE(data::wholeBackup(folder()));
    holder.exec("COMMIT");
}

TEST_F(BackupWindowsTest, ACancelledFolderChooserKeepsTheFolderTyped)
{
    start(PantallaCopia, "Copia de Datos");
    driver.type(QStringLiteral("?Carpeta"), folder());
    chooser.answer.clear();

    driver.click(QStringLiteral("?Buscar"));

    EXPECT_EQ(chooser.askedStart, folder());
    EXPECT_EQ(entryText(), folder());
    driver.close(QStringLiteral("Copia de Datos"));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 1; }));
}

struct Refusal {
    void (*procedure)();
    const char* caption;
    const char* message;
};

class RefusedWhileAnotherWindowRuns : public BackupWindowsTest,
                                      public testing::WithParamInterface<Refusal> { };

// Another window's thread (the patient list's, the splash's) holds number 2: a backup or
// restore started then is refused and copies nothing.
TEST_P(RefusedWhileAnotherWindowRuns, RefusesAndCopiesNothing)
{
    start(PantallaCopia, "Copia de Datos");
    driver.start([this] {
        GetParam().procedure();
        ++ended;
    });
    QMessageBox* box = nullptr;
    ASSERT_TRUE(
        driver.runUntil([&] { return (box = driver.messageBox(QString::fromUtf8(GetParam().message))); }));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Error de Proceso"));
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    ASSERT_TRUE(driver.answer(QString::fromUtf8(GetParam().message), QStringLiteral("OK")));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 1; })) << "the refused window closes";

    driver.close(QStringLiteral("Copia de Datos"));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 2; }));
    EXPECT_TRUE(QDir(folder()).isEmpty());
}

// A window opened, a second one opened, the first closed: the second still runs, so a backup
// or restore is refused though number 2 is free again.
TEST_P(RefusedWhileAnotherWindowRuns, AfterAnEarlierWindowClosedBesideALaterOne)
{
    start(PantallaCopia, "Copia de Datos");
    driver.start([this] {
        framework::Window list(QStringLiteral("BrowsePACIENTES"));
        list.setCaption(QStringLiteral("Pacientes"));
        list.setSize(200, 100);
        list.run();
        ++ended;
    });
    ASSERT_NE(driver.window(QStringLiteral("Pacientes")), nullptr);
    driver.close(QStringLiteral("Copia de Datos"));
    ASSERT_TRUE(driver.runUntil([this] { return ended == 1; }));

    driver.start([this] {
        GetParam().procedure();
        ++ended;
    });
    ASSERT_TRUE(driver.answer(QString::fromUtf8(GetParam().message), QStringLiteral("OK")));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 2; })) << "the refused window closes";

    driver.close(QStringLiteral("Pacientes"));
    EXPECT_TRUE(driver.runUntil([this] { return ended == 3; }));
    EXPECT_TRUE(QDir(folder()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothWindows, RefusedWhileAnotherWindowRuns,
    testing::Values(
        Refusal { PantallaCopia, "Copia de Datos", "CIERRE TODAS LAS VENTANAS PARA PODER REALIZAR LA COPIA" },
        Refusal { PantallaRestaurar, "Restaurar Datos",
            "CIERRE TODAS LAS VENTANAS PARA PODER RESTAURAR LA COPIA" }));

TEST(IncompleteCopyText, NamesWhatFailedWhatIsMissingAndWhatIsBusy)
{
    data::FileBackup::Result backup;
    backup.missing = QStringList { QStringLiteral("TEMAS.QVM") };
    backup.failed = QStringList { QStringLiteral("PACIENTE.QVM") };
    EXPECT_EQ(incompleteCopyText(false, backup),
        QStringLiteral("EL PROCESO NO SE COMPLETÓ.\nArchivos que no se pudieron copiar: PACIENTE.QVM.\n"
                       "Archivos que faltan en la carpeta de trabajo: TEMAS.QVM.\n"
                       "La carpeta conserva la copia que tenía."));
    data::FileBackup::Result damaged;
    damaged.failed = QStringList { QStringLiteral("PACIENTE.QVM"), QStringLiteral("MADRES.QVM") };
    EXPECT_EQ(incompleteCopyText(true, damaged),
        QStringLiteral(
            "EL PROCESO NO SE COMPLETÓ.\nArchivos dañados o que no se pudieron leer: PACIENTE.QVM, "
            "MADRES.QVM.\nNo se restauró ningún archivo."));
    data::FileBackup::Result busy;
    busy.busy = QStringLiteral("PACIENTE.QVM");
    EXPECT_EQ(incompleteCopyText(true, busy),
        QStringLiteral("EL PROCESO NO SE COMPLETÓ.\nOtra estación está usando los datos: el archivo "
                       "PACIENTE.QVM está en uso.\nNo se restauró ningún archivo."));
}

} // namespace
} // namespace nidora::shell
