#include "RecordWindowsTest.h"

#include "data/ReferenceRecords.h"
#include "views/ListWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include <gmock/gmock.h>

namespace nidora::views::test {
namespace {

using data::MEDICOS;

// The doctors by number, in a list a few rows high.
class ShortList final : public ListWindow {
public:
    ShortList()
        : ListWindow(QStringLiteral("Test:Short"), data::FileId::MEDICOS)
    {
        setCaption(QStringLiteral("Corta"));
        setSize(160, 80);
        addList(QStringLiteral("?BROWSE"), { 4, 4, 152, 60 },
            { { &key("MED:KCODIGO"), LocatorKind::Incremental, QStringLiteral("Por número") } },
            { fieldColumn(field("MED:CODIGO"), QStringLiteral("Nº"), QStringLiteral("@n3")),
                fieldColumn(field("MED:NOMBRE"), QStringLiteral("Nombre"), QStringLiteral("@s30")) });
    }
};

class ListScrollBarTest : public RecordWindowsTest {
protected:
    void storeDoctors(int count)
    {
        for (int code = 1; code <= count; ++code)
            store(nidora::test::doctor(
                std::uint8_t(code), QStringLiteral("Dr. %1").arg(code).toUtf8().constData()));
    }
    void open()
    {
        driver.start([this] {
            ShortList list;
            window = &list;
            list.run();
            window = nullptr;
        });
        ASSERT_NE(driver.window(QStringLiteral("Corta")), nullptr);
        driver.settle();
        table = static_cast<QAbstractItemView*>(driver.find(QStringLiteral("?BROWSE")));
        bar = table->verticalScrollBar();
    }
    void TearDown() override
    {
        if (window) {
            driver.close(QStringLiteral("Corta"));
            driver.runUntil([this] { return window == nullptr; });
        }
    }
    // The numbers of the rows on the page.
    std::vector<int> shownCodes() const
    {
        std::vector<int> codes;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            codes.push_back(table->model()->index(row, 0).data().toString().trimmed().toInt());
        return codes;
    }
    int pageRows() const { return table->model()->rowCount(); }
    // The thumb dragged to a place and let go there.
    void drag(int value)
    {
        bar->setSliderDown(true);
        bar->setSliderPosition(value);
        driver.settle();
        bar->setSliderDown(false);
        driver.settle();
    }
    void wheelDown(QWidget* over)
    {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
        driver.settle();
    }

    ShortList* window = nullptr;
    QAbstractItemView* table = nullptr;
    QScrollBar* bar = nullptr;
};

TEST_F(ListScrollBarTest, ListWhoseRowsFitShowsNoBar)
{
    storeDoctors(2);
    open();
    ASSERT_GE(pageRows(), 2);
    EXPECT_FALSE(bar->isVisible());
}

TEST_F(ListScrollBarTest, FortyRowsShowABarWhoseThumbDraggedToEitherEndReachesTheFirstAndLastRow)
{
    storeDoctors(40);
    open();
    ASSERT_LT(pageRows(), 40);
    ASSERT_TRUE(driver.runUntil([this] { return bar->isVisible(); }));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(shownCodes().front(), 1);

    drag(bar->maximum());
    EXPECT_EQ(shownCodes().back(), 40);
    EXPECT_EQ(bar->value(), bar->maximum());

    // Halfway along, the page shows the middle of the list.
    drag(bar->maximum() / 2);
    const std::vector<int> middle = shownCodes();
    EXPECT_GT(middle.front(), 10);
    EXPECT_LT(middle.back(), 31);
    EXPECT_GT(bar->value(), 0);
    EXPECT_LT(bar->value(), bar->maximum());

    drag(0);
    EXPECT_EQ(shownCodes().front(), 1);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ListScrollBarTest, TheWheelOverTheRowsOrTheBarReachesTheLastRowAndTheThumbFollows)
{
    storeDoctors(40);
    open();
    ASSERT_TRUE(driver.runUntil([this] { return bar->isVisible(); }));
    int lastValue = bar->value();
    for (int turn = 0; turn < 45 && shownCodes().back() != 40; ++turn) {
        wheelDown(turn % 2 == 0 ? table->viewport() : static_cast<QWidget*>(bar));
        EXPECT_GE(bar->value(), lastValue);
        lastValue = bar->value();
    }
    EXPECT_EQ(shownCodes().back(), 40);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ListScrollBarTest, TheBarsArrowsAndTroughMoveThePageByARowAndByAPage)
{
    storeDoctors(40);
    open();
    ASSERT_TRUE(driver.runUntil([this] { return bar->isVisible(); }));
    const int page = pageRows();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    driver.settle();
    EXPECT_EQ(shownCodes().front(), 2);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    driver.settle();
    EXPECT_EQ(shownCodes().front(), 2 + page);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    driver.settle();
    EXPECT_EQ(shownCodes().front(), 1);
}

} // namespace
} // namespace nidora::views::test
