#include "WindowTestSupport.h"

#include "framework/ControlShapes.h"
#include "framework/EdgeAnchors.h"

#include <QRect>

#include <map>

namespace nidora::framework::test {
namespace {

constexpr Qt::Edges kEveryEdge = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;

TEST(EdgeAnchors, EachPairOfEdgesPinsMovesOrStretchesItsDirection)
{
    const QRect placed(10, 20, 100, 50);
    struct Case {
        const char* what;
        Qt::Edges edges;
        QSize growth;
        QRect expected;
    };
    for (const Case& c : {
             Case { "no edge stays", {}, { 30, 40 }, placed },
             Case { "left and top stay", Qt::LeftEdge | Qt::TopEdge, { 30, 40 }, placed },
             Case { "right moves across", Qt::RightEdge, { 30, 40 }, { 40, 20, 100, 50 } },
             Case { "bottom moves down", Qt::TopEdge | Qt::BottomEdge, { 30, 40 }, { 10, 20, 100, 90 } },
             Case { "bottom right corner", Qt::RightEdge | Qt::BottomEdge, { 30, 40 }, { 40, 60, 100, 50 } },
             Case { "left and right stretch", Qt::LeftEdge | Qt::RightEdge, { 30, 40 }, { 10, 20, 130, 50 } },
             Case { "every edge", kEveryEdge, { 30, 40 }, { 10, 20, 130, 90 } },
             Case { "a smaller window", kEveryEdge, { -30, -20 }, { 10, 20, 70, 30 } },
             Case { "much smaller: nothing", kEveryEdge, { -300, -200 }, { 10, 20, 0, 0 } },
             Case { "moved left past zero", Qt::RightEdge, { -30, 0 }, { -20, 20, 100, 50 } },
         })
        EXPECT_EQ(followEdges(placed, c.edges, c.growth), c.expected) << c.what;
}

// A window with a stretched box, an entry stretched across, a button kept in the bottom right
// corner and one kept where it was put.
class AnchoredWindow : public SampleWindow {
public:
    AnchoredWindow()
        : SampleWindow(QStringLiteral("Anclas"))
    {
        setSize(200, 120);
        setResizable(true);
        anchor(add<PanelControl>(QStringLiteral("?PANEL"), { 4, 20, 192, 70 }), kEveryEdge);
        anchor(add<EntryControl>(
                   QStringLiteral("?NOMBRE"), { 50, 4, 146, 12 }, QStringLiteral("@s30"), entryValue(name)),
            Qt::LeftEdge | Qt::RightEdge);
        anchor(add<ButtonControl>(QStringLiteral("?CERRAR"), { 146, 100, 50, 14 }, QStringLiteral("Cerrar")),
            Qt::RightEdge | Qt::BottomEdge);
        add<ButtonControl>(QStringLiteral("?AYUDA"), { 4, 100, 50, 14 }, QStringLiteral("Ayuda"));
    }

    QString name;
};

TEST_F(WindowsTest, AResizedWindowKeepsItsAnchoredControlsOnTheirEdges)
{
    bool ended = false;
    std::map<QString, QRect> placed;
    driver.start([&] {
        AnchoredWindow window;
        for (const char* name : { "?PANEL", "?NOMBRE", "?CERRAR", "?AYUDA" })
            placed[QString::fromUtf8(name)] = window.control(QString::fromUtf8(name))->widget()->geometry();
        window.run();
        ended = true;
    });
    QWidget* window = driver.window(QStringLiteral("Anclas"));
    ASSERT_NE(window, nullptr);
    const QSize before = window->size();
    const auto now = [&](const char* name) { return driver.find(QString::fromUtf8(name))->geometry(); };

    window->resize(before + QSize(60, 40));
    driver.settle();
    EXPECT_EQ(now("?PANEL"), placed["?PANEL"].adjusted(0, 0, 60, 40));
    EXPECT_EQ(now("?NOMBRE"), placed["?NOMBRE"].adjusted(0, 0, 60, 0));
    EXPECT_EQ(now("?CERRAR"), placed["?CERRAR"].translated(60, 40));
    EXPECT_EQ(now("?AYUDA"), placed["?AYUDA"]);

    // Back to its own size, everything is where the description put it: no drift from one
    // resize to the next; and it is made no smaller than that size.
    window->resize(before + QSize(30, 10));
    window->resize(before - QSize(40, 30));
    EXPECT_EQ(window->size(), before);
    driver.settle();
    for (const auto& [name, at] : placed)
        EXPECT_EQ(driver.find(name)->geometry(), at) << name.toStdString();

    driver.close(QStringLiteral("Anclas"));
    ASSERT_TRUE(driver.runUntil([&] { return ended; }));
}

} // namespace
} // namespace nidora::framework::test
