#include "platform/PrinterSetup.h"

#include "platform/PrinterSetupDouble.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace nidora::platform {
namespace {

class DialogPrinterSetupTest : public ::testing::Test {
protected:
    // Starts a set-up and checks it has not been answered by the time setUp() returns.
    void startSetUp()
    {
        const std::size_t before = answers.size();
        setup.setUp(parent.get(), [this](bool accepted) { answers.push_back(accepted); });
        EXPECT_EQ(answers.size(), before);
    }

    std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
    DialogPrinterSetup setup;
    std::vector<bool> answers;
};

TEST_F(DialogPrinterSetupTest, ShowsThePrintDialogOnTheProgramsPrinterWithoutModality)
{
    parent->show();
    startSetUp();
    QPrintDialog* dialog = setup.shownDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->parentWidget(), parent.get());
    EXPECT_TRUE(dialog->isVisible());
    // Windows of other logical threads share the dialog's top-level window and stay usable.
    EXPECT_EQ(dialog->windowModality(), Qt::NonModal);
    EXPECT_EQ(dialog->printer(), &setup.printer());
    dialog->accept();
    EXPECT_EQ(answers, std::vector<bool> { true });
    EXPECT_EQ(setup.shownDialog(), nullptr) << "the dialog goes when closed";
}

TEST_F(DialogPrinterSetupTest, ASecondRequestRaisesTheShownDialogAndBothCallersGetTheAnswer)
{
    startSetUp();
    QPrintDialog* dialog = setup.shownDialog();
    ASSERT_NE(dialog, nullptr);
    startSetUp();
    EXPECT_EQ(parent->findChildren<QPrintDialog*>().size(), 1);
    dialog->reject();
    EXPECT_EQ(answers, (std::vector<bool> { false, false }));

    startSetUp();
    ASSERT_NE(setup.shownDialog(), nullptr) << "a request after the answer shows the dialog anew";
    setup.shownDialog()->accept();
    EXPECT_EQ(answers, (std::vector<bool> { false, false, true }));
}

TEST_F(DialogPrinterSetupTest, DialogGoneWithItsParentAnswersOnceAsCancelled)
{
    startSetUp();
    ASSERT_NE(setup.shownDialog(), nullptr);
    parent.reset();
    EXPECT_EQ(answers, std::vector<bool> { false });
}

TEST(PrinterSetupService, OverrideTakesTheSetUpInPlaceOfTheDialog)
{
    test::PrinterSetupDouble scripted;
    std::vector<bool> answers;
    {
        PrinterSetupService::Override use(scripted);
        PrinterSetupService::current().setUp(nullptr, [&](bool accepted) { answers.push_back(accepted); });
        EXPECT_TRUE(answers.empty());
    }
    scripted.answer(true);
    EXPECT_EQ(answers, std::vector<bool> { true });
    EXPECT_NE(&PrinterSetupService::current(), &scripted);
}

} // namespace
} // namespace nidora::platform
