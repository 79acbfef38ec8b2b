#include "platform/FileChooser.h"

#include "support/ScratchDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace nidora::platform {
namespace {

class DialogFileChooserTest : public ::testing::Test {
protected:
    QFileDialog* startChoice()
    {
        chooser.choose(parent.get(), "Buscar archivo imagen",
            FileFilter { "Archivos de imágenes", { "*.jpg", "*.bmp", "*.gif" } }, [this](const QString& file) {
                ++answers;
                chosen = file;
                directoryOnAnswer = QDir::currentPath();
            });
        EXPECT_EQ(answers, 0);
        auto* dialog = parent->findChild<QFileDialog*>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }

    test::ScratchDirectory scratch;
    std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
    DialogFileChooser chooser;
    int answers = 0;
    std::optional<QString> chosen;
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
