#include "platform/FileChooser.h"

#include "platform/FileDialogTest.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

#include <gtest/gtest.h>

namespace nidora::platform {
namespace {

class DialogFileChooserTest : public test::FileDialogTest {
protected:
    QFileDialog* startChoice()
    {
        chooser.choose(parent.get(), "Buscar archivo imagen",
            FileFilter { "Archivos de imágenes", { "*.jpg", "*.bmp", "*.gif" } },
            [this](const QString& file) {
                answered(file);
                directoryOnAnswer = QDir::currentPath();
            });
        return shownDialog();
    }

    DialogFileChooser chooser;
    QString directoryOnAnswer;
};

TEST_F(DialogFileChooserTest, OffersTheFilterAsOneWithItsPatternsAndAnswersTheChosenFile)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir("fotos"));
    const QString photo = scratch.filePath("fotos/ana.jpg");
    QFile(photo).open(QIODevice::WriteOnly);
    parent->show();
    QFileDialog* dialog = startChoice();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->windowTitle(), "Buscar archivo imagen");
    EXPECT_EQ(dialog->nameFilters(), QStringList { "Archivos de imágenes (*.jpg *.bmp *.gif)" });
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->selectFile(photo);
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(chosen, photo);
}

TEST_F(DialogFileChooserTest, WorkingDirectoryMovedWhileChoosingIsPutBackBeforeTheAnswer)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir("otra"));
    const QString working = QDir::currentPath();
    QFileDialog* dialog = startChoice();
    ASSERT_NE(dialog, nullptr);
    QDir::setCurrent(scratch.filePath("otra"));
    dialog->reject();
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(chosen, QString());
    EXPECT_EQ(directoryOnAnswer, working);
    EXPECT_EQ(QDir::currentPath(), working);
}

} // namespace
} // namespace nidora::platform
