#include "shell/MainFrame.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace nidora::shell {
namespace {

TEST(MainFrame, OpensWithTheProductCaptionAndClosesCleanly)
{
    MainFrame frame;
    frame.show();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Nidora 1.76"));
    QTimer::singleShot(0, &frame, &QWidget::close);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(frame.isVisible());
}

} // namespace
} // namespace nidora::shell
