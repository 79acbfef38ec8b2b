#include "shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace nidora::shell {
namespace {

// Its procedure decides whether the frame may close (every other window must close first):
// until it allows it, closing only asks.
TEST(MainFrame, OpensWithTheProductCaptionAndClosesOnlyOnceItsProcedureAllows)
{
    MainFrame frame;
    frame.show();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Nidora 1.76"));
    int asked = 0;
    QObject::connect(&frame, &MainFrame::closeRequested, &frame, [&] {
        if (++asked == 1) {
            QTimer::singleShot(0, &frame, &QWidget::close);
            return;
        }
        frame.allowClose();
        QTimer::singleShot(0, &frame, &QWidget::close);
    });
    QTimer::singleShot(0, &frame, &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(frame.isVisible());
}

TEST(MainFrame, WhileTheLoginRunsNoCommandIsTaken)
{
    MainFrame frame;
    frame.takeCommands(false);
    EXPECT_FALSE(frame.menuBar()->isEnabled());
    EXPECT_FALSE(frame.toolbar()->isEnabled());
    for (int control = -30; control <= -2; ++control) {
        if (QAction* action = frame.command(control)) {
            EXPECT_FALSE(action->isEnabled()) << control;
        }
    }
    frame.takeCommands(true);
    EXPECT_TRUE(frame.menuBar()->isEnabled());
    EXPECT_TRUE(frame.toolbar()->isEnabled());
}

// The menu's message is for while it is open; the Window menu lists only windows with a
// caption (the splash and the About window have none).
TEST(MainFrame, TheWindowMenuListsCaptionedWindowsAndItsMessageGoesWithIt)
{
    MainFrame frame;
    frame.show();
    for (const QString& caption : { QString(), QStringLiteral("Pacientes") }) {
        auto* inside = new QWidget;
        inside->setWindowTitle(caption);
        frame.workspace()->addSubWindow(inside)->show();
    }
    QMenu* windows = nullptr;
    for (QAction* menu : frame.menuBar()->actions()) {
        if (menu->text() == QStringLiteral("&Window"))
            windows = menu->menu();
    }
    ASSERT_NE(windows, nullptr);
    frame.statusBar()->showMessage(windows->menuAction()->statusTip());
    windows->popup(QPoint(0, 0));
    QStringList listed;
    for (QAction* item : windows->actions()) {
        if (!item->isSeparator())
            listed << item->text();
    }
    EXPECT_EQ(listed,
        (QStringList { QStringLiteral("T&ile"), QStringLiteral("&Cascade"), QStringLiteral("&Arrange Icons"),
            QStringLiteral("Pacientes") }));
    windows->hide();
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
}

} // namespace
} // namespace nidora::shell
