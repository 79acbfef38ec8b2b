#include "platform/FolderChooser.h"

#include "platform/FileDialogTest.h"
#include "platform/FolderChooserDouble.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace nidora::platform {
namespace {

class DialogFolderChooserTest : public test::FileDialogTest {
protected:
    // Starts a choice and checks it has not been answered by the time choose() returns.
    QFileDialog* startChoice()
    {
        chooser.choose(parent.get(), "Select A File", scratch.path(),
            [this](const QString& folder) { answered(folder); });
        return shownDialog();
    }

    DialogFolderChooser chooser;
};

TEST_F(DialogFolderChooserTest, AnswersWithTheChosenFolderAfterReturning)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir("copia"));
    parent->show();
    QFileDialog* dialog = startChoice();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    // Windows of other logical threads share the dialog's top-level window and stay usable.
    EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->windowTitle(), "Select A File");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    dialog->setDirectory(scratch.filePath("copia"));
    static_cast<QDialog*>(dialog)->accept(); // as the dialog's own OK button does
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(chosen, scratch.filePath("copia"));
}

TEST_F(DialogFolderChooserTest, CancelAnswersEmpty)
{
    QFileDialog* dialog = startChoice();
    ASSERT_NE(dialog, nullptr);
    dialog->reject();
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(chosen, QString());
}

TEST_F(DialogFolderChooserTest, DialogGoneWithItsParentAnswersOnceAsCancel)
{
    ASSERT_NE(startChoice(), nullptr);
    parent.reset();
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(chosen, QString());
}

TEST(FolderChooserService, OverrideAnswersInPlaceOfTheDialog)
{
    test::FolderChooserDouble scripted;
    scripted.answer = "/copias/lunes";
    QString chosen;
    {
        FolderChooserService::Override use(scripted);
        FolderChooserService::current().choose(
            nullptr, "Select A File", "/", [&](const QString& f) { chosen = f; });
        EXPECT_EQ(scripted.askedStart, "/");
    }
    EXPECT_EQ(chosen, "/copias/lunes");
    EXPECT_NE(&FolderChooserService::current(), &scripted);
}

} // namespace
} // namespace nidora::platform
