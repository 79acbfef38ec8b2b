#include "WindowTestSupport.h"

#include "framework/WindowArea.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <optional>

namespace nidora::framework::test {
namespace {

TEST(WindowOpening, AFrameGoesToItsPlaceOrTheMiddleNeverPastTheTopLeftCorner)
{
    struct Case {
        const char* what;
        QSize area;
        QSize frame;
        std::optional<QPoint> at;
        QPoint expected;
    };
    for (const Case& c : {
             Case { "at its place", { 800, 600 }, { 200, 100 }, QPoint(30, 40), { 30, 40 } },
             Case { "centred", { 800, 600 }, { 200, 100 }, std::nullopt, { 300, 250 } },
             Case { "centred, odd sizes", { 801, 601 }, { 200, 100 }, std::nullopt, { 300, 250 } },
             Case { "larger than the area", { 300, 200 }, { 400, 260 }, std::nullopt, { 0, 0 } },
         })
        EXPECT_EQ(openingGeometry(c.area, c.frame, c.at), QRect(c.expected, c.frame)) << c.what;
}

// A window of placed controls has no size hint; the workspace used to size its frame from that
// hint, so every window opened as a bare title bar.
class PlacedWindow : public SampleWindow {
public:
    PlacedWindow(const QString& caption, bool centred, bool resizable)
        : SampleWindow(caption)
    {
        setSize(180, 90);
        if (centred)
            setCentred();
        else
            setPosition(20, 16);
        setResizable(resizable);
    }
};

TEST_F(WindowsTest, WindowsOpenInTheWorkspaceAtTheirDescribedSizeAndPlace)
{
    QMdiArea workspace;
    workspace.resize(900, 700);
    workspace.show();
    setWindowArea(&workspace);
    struct Case {
        const char* caption;
        bool centred;
        bool resizable;
    };
    for (const Case& c : { Case { "Fija", false, false }, Case { "Centrada", true, false },
             Case { "Ajustable", true, true } }) {
        SCOPED_TRACE(c.caption);
        bool ended = false;
        const DialogUnits* units = nullptr;
        driver.start([&] {
            PlacedWindow window(QString::fromUtf8(c.caption), c.centred, c.resizable);
            units = &window.units();
            window.run();
            units = nullptr;
            ended = true;
        });
        ASSERT_EQ(workspace.subWindowList().size(), 1);
        QMdiSubWindow* frame = workspace.subWindowList().front();
        QWidget* inner = frame->widget();
        ASSERT_NE(units, nullptr);
        const QSize described = units->toPixels(QSize(180, 90));
        EXPECT_EQ(inner->size(), described);
        EXPECT_TRUE(frame->geometry().contains(inner->geometry().translated(frame->pos())));
        const QPoint expected = c.centred
            ? openingGeometry(workspace.viewport()->size(), frame->size(), std::nullopt).topLeft()
            : QPoint(units->toPixelsX(20), units->toPixelsY(16));
        EXPECT_EQ(frame->pos(), expected);

        // A resizable window grows and shrinks back no further than its size; any other keeps it.
        frame->resize(frame->size() + QSize(60, 40));
        EXPECT_EQ(inner->size(), c.resizable ? described + QSize(60, 40) : described);
        frame->resize(frame->size() - QSize(200, 150));
        EXPECT_EQ(inner->size(), described);

        driver.close(QString::fromUtf8(c.caption));
        ASSERT_TRUE(driver.runUntil([&] { return ended; }));
    }
    setWindowArea(nullptr);
}

} // namespace
} // namespace nidora::framework::test
