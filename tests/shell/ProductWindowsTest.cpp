#include "shell/ProductWindows.h"

#include "shell/MainFrame.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>

#include <gtest/gtest.h>

#include <utility>

namespace nidora::shell {
namespace {

QStringList labelTexts(QWidget* window)
{
    QStringList texts;
    for (auto* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

void press(QWidget* widget, QEvent::Type type, Qt::MouseButton button)
{
    const QPointF at(5, 5);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

bool closedSoon(const QPointer<QMdiSubWindow>& window)
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull() || !window->isVisible();
}

class ProductWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame.show();
        QApplication::processEvents();
    }
    MainFrame frame;
};

bool showsPicture(QWidget* window, const char* name)
{
    const auto* picture = window->findChild<QLabel*>(QString::fromUtf8(name));
    return picture != nullptr && !picture->pixmap().isNull();
}

TEST_F(ProductWindows, SplashShowsTheTitleContactAndPicturesOnItsWallpaper)
{
    QPointer<QMdiSubWindow> splash = openSplashWindow();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(labelTexts(splash).contains(QStringLiteral("NIDORA 1.76")));
    EXPECT_TRUE(labelTexts(splash).contains(QStringLiteral("consultas@nidora.example")));
    EXPECT_TRUE(showsPicture(splash, "nidora.bmp"));
    EXPECT_FALSE(splash->widget()->palette().window().texture().isNull());
    EXPECT_FALSE(closedSoon(splash));
}

TEST_F(ProductWindows, SplashClosesOnLeftRightOrDoubleClick)
{
    const std::pair<QEvent::Type, Qt::MouseButton> clicks[] = {
        { QEvent::MouseButtonPress, Qt::LeftButton },
        { QEvent::MouseButtonPress, Qt::RightButton },
        { QEvent::MouseButtonDblClick, Qt::LeftButton },
    };
    for (const auto& [type, button] : clicks) {
        SCOPED_TRACE(button);
        QPointer<QMdiSubWindow> splash = openSplashWindow();
        ASSERT_TRUE(splash);
        press(splash->widget(), type, button);
        EXPECT_TRUE(closedSoon(splash));
    }
}

TEST_F(ProductWindows, SplashClosesWhenAnotherWindowTakesTheFocus)
{
    QPointer<QMdiSubWindow> splash = openSplashWindow();
    ASSERT_TRUE(splash);
    QMdiSubWindow* other = frame.workspace()->addSubWindow(new QLabel(QStringLiteral("otra")));
    other->show();
    frame.workspace()->setActiveSubWindow(other);
    EXPECT_TRUE(closedSoon(splash));
}

TEST_F(ProductWindows, AboutOpensOncePerUseAndClosesOnAClick)
{
    QPointer<QMdiSubWindow> first = openAboutWindow();
    QPointer<QMdiSubWindow> second = openAboutWindow();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isVisible() && second->isVisible());
    auto* text = second->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), aboutText());
    EXPECT_TRUE(labelTexts(second).contains(QStringLiteral("Nidora 1.76")));
    EXPECT_TRUE(showsPicture(second, "nidora.bmp"));
    // The pointing finger is a picture of the program's own.
    EXPECT_EQ(second->widget()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(second->widget()->cursor().pixmap().isNull());

    press(second->widget(), QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(closedSoon(second));
    EXPECT_FALSE(closedSoon(first));
}

TEST_F(ProductWindows, TheFontsTheWindowsNameAreDrawnWithTheirInstalledStandIns)
{
    struct Case {
        QMdiSubWindow* (*open)();
        const char* label; // a label's text, or empty for the window's own font
        const char* family;
        bool bold;
    };
    const Case cases[] = {
        { openSplashWindow, "", "Liberation Sans", false },
        { openSplashWindow, "NIDORA 1.76", "Liberation Mono", true },
        { openSplashWindow, "consultas@nidora.example", "Liberation Mono", true },
        { openAboutWindow, "", "Liberation Sans", false },
        { openAboutWindow, "Nidora 1.76", "Liberation Sans", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QPointer<QMdiSubWindow> window = c.open();
        ASSERT_TRUE(window);
        QFont font = window->widget()->font();
        if (*c.label != '\0') {
            QLabel* found = nullptr;
            for (auto* label : window->findChildren<QLabel*>())
                if (label->text() == QString::fromUtf8(c.label))
                    found = label;
            ASSERT_NE(found, nullptr);
            font = found->font();
        } else {
            EXPECT_EQ(font.pointSize(), 8);
        }
        EXPECT_EQ(font.family(), QString::fromUtf8(c.family));
        EXPECT_EQ(font.bold(), c.bold);
        window->close();
    }
}

TEST(ProductWindowsWithoutFrame, OpenNothing)
{
    EXPECT_EQ(openSplashWindow(), nullptr);
    EXPECT_EQ(openAboutWindow(), nullptr);
}

} // namespace
} // namespace nidora::shell
