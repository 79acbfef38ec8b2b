// The backup and restore windows: they work only on thread 2, copy into or from the folder the
// user chooses, and say plainly when the copy did not complete.
#include "platform/FolderChooserDouble.h"
#include "views/RecordWindowsTest.h"

#include "data/FileBackup.h"
#include "shell/BackupWindows.h"

#include <QDir>
#include <QFile>
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
    QString copyThroughTheFolderButton()
    {
        driver.click(QStringLiteral("?Buscar"));
        EXPECT_EQ(entryText(), folder());
        driver.click(QStringLiteral("?OK"));
        QString text;
        EXPECT_TRUE(driver.runUntil([&] {
            QMessageBox* box = driver.messageBox(QString());
            if (box)
                text = box->text();
            return box != nullptr;
        }));
        EXPECT_TRUE(driver.answer(text, QStringLiteral("OK")));
        EXPECT_TRUE(driver.runUntil([this] { return ended == 1; }));
        return text;
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
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files).size(), 19);
    EXPECT_FALSE(QFile::exists(QDir(folder()).filePath(QStringLiteral("ACCESOS.QVM"))));
    const QString copied = QDir(folder()).filePath(QStringLiteral("PACIENTE.QVM"));
    EXPECT_EQ(QFile(copied).size(), QFile(scratch.filePath(QStringLiteral("PACIENTE.QVM"))).size());
}

TEST_F(BackupWindowsTest, ARestoreFromAFolderThatLacksAFileNamesItAndRestoresTheOthers)
{
    store(nidora::test::patient(7, "GARCIA JUAN"));
    {
        data::FileBackup backup(data::FileBackup::Kind::Backup, scratch.path(), folder());
        while (backup.step()) { }
        ASSERT_TRUE(backup.result().complete());
    }
    QFile::remove(QDir(folder()).filePath(QStringLiteral("MEDICOS.QVM")));
    store(nidora::test::patient(8, "LOPEZ ANA"));
    start(PantallaRestaurar, "Restaurar Datos");

    const QString said = copyThroughTheFolderButton();

    EXPECT_THAT(said.toStdString(), HasSubstr("EL PROCESO NO SE COMPLETÓ."));
    EXPECT_THAT(said.toStdString(), HasSubstr("Archivos que faltan en la carpeta de origen: MEDICOS.QVM."));
    EXPECT_THAT(said.toStdString(), HasSubstr("Los demás archivos se restauraron."));
    nidora::test::DiskFiles restored; // the fixture's own connection still reads the replaced file
    EXPECT_EQ(restored.all<data::PACIENTES>().size(), 1U);
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

INSTANTIATE_TEST_SUITE_P(BothWindows, RefusedWhileAnotherWindowRuns,
    testing::Values(
        Refusal { PantallaCopia, "Copia de Datos", "CIERRE TODAS LAS VENTANAS PARA PODER REALIZAR LA COPIA" },
        Refusal { PantallaRestaurar, "Restaurar Datos",
            "CIERRE TODAS LAS VENTANAS PARA PODER RESTAURAR LA COPIA" }));

TEST(IncompleteCopyText, NamesWhatFailedAndWhatIsMissing)
{
    EXPECT_EQ(
        incompleteCopyText(false, { QStringLiteral("TEMAS.QVM") }, { QStringLiteral("PACIENTE.QVM") }, false),
        QStringLiteral("EL PROCESO NO SE COMPLETÓ.\nArchivos que no se pudieron copiar: PACIENTE.QVM.\n"
                       "Archivos que faltan en la carpeta de trabajo: TEMAS.QVM."));
    EXPECT_EQ(
        incompleteCopyText(true, {}, { QStringLiteral("PACIENTE.QVM"), QStringLiteral("MADRES.QVM") }, false),
        QStringLiteral(
            "EL PROCESO NO SE COMPLETÓ.\nArchivos dañados o que no se pudieron leer: PACIENTE.QVM, "
            "MADRES.QVM.\nNo se restauró ningún archivo."));
}

} // namespace
} // namespace nidora::shell
