// The chart drawn with QPainter: in its window at its place, into a JPEG file that reads back,
// on the clipboard, and on the printer once the print dialog was confirmed.
#include "platform/PainterChart.h"

#include "platform/PagePrinter.h"
#include "platform/PrinterSetup.h"
#include "platform/PrinterSetupDouble.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <optional>

namespace nidora::platform {
namespace {

using namespace chart;

class PainterChartTest : public ::testing::Test {
protected:
    PainterChartTest()
    {
        window.resize(700, 430);
        chart.create(&window, Frame { QRect(4, 34, 682, 380), 0xFACE87, 3 });
        chart.addRegion(Region { 5, 8, -8, -5, {} });
        chart.addCaption(Caption { QStringLiteral("PESO - Primer Año") });
        chart.addGrid(Grid { 0xFFFFFF });
        Axis x;
        x.kind = Axis::Kind::X;
        x.min = 0;
        x.max = 12;
        x.ticks = 13;
        Axis y;
        y.kind = Axis::Kind::Y;
        y.min = 0;
        y.max = 14;
        y.ticks = 15;
        chart.addAxis(x);
        chart.addAxis(y);
        chart.addLineSeries(LineSeries { { 0, 1, 2 }, { 3.2, 4.1, 5 }, 0xFF901E, 71, 2, 21 });
        chart.setZoom(Zoom {});
    }

    QWidget window;
    PainterChart chart;
    QTemporaryDir folder;
};

// Close to the colour, as a JPEG keeps colours only nearly.
bool near(QColor seen, QColor wanted)
{
    return std::abs(seen.red() - wanted.red()) < 16 && std::abs(seen.green() - wanted.green()) < 16
        && std::abs(seen.blue() - wanted.blue()) < 16;
}

TEST_F(PainterChartTest, IsShownInItsWindowAtItsPlaceOnceDrawnAndGoesWithReset)
{
    ASSERT_NE(chart.widget(), nullptr);
    EXPECT_EQ(chart.widget()->parentWidget(), &window);
    EXPECT_EQ(chart.widget()->geometry(), QRect(4, 34, 682, 380));
    window.show();
    EXPECT_FALSE(chart.widget()->isVisible()) << "nothing is shown before the drawing";
    chart.draw();
    EXPECT_TRUE(chart.widget()->isVisible());
    const QImage shown = chart.widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(0x87, 0xCE, 0xFA));

    chart.reset();
    EXPECT_EQ(chart.widget(), nullptr);
    EXPECT_TRUE(window.findChildren<QWidget*>().isEmpty());
    EXPECT_FALSE(chart.saveJpeg(folder.filePath(QStringLiteral("gone.jpg")), QSize(682, 380), 100))
        << "no chart, no file";
}

TEST_F(PainterChartTest, SavesAReadableJpegAtTheSizeAskedAndSaysWhenItCannot)
{
    chart.draw();
    const QString file = folder.filePath(QStringLiteral("PESO - Primer Año.jpg"));
    ASSERT_TRUE(chart.saveJpeg(file, QSize(682, 380), 100));
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage read = reader.read();
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), QSize(682, 380));
    EXPECT_TRUE(near(read.pixelColor(1, 1), QColor(0x87, 0xCE, 0xFA)));

    EXPECT_FALSE(
        chart.saveJpeg(folder.filePath(QStringLiteral("no such folder/chart.jpg")), QSize(682, 380), 100));
    EXPECT_FALSE(chart.saveJpeg(folder.filePath(QStringLiteral("empty.jpg")), QSize(0, 0), 100));
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("empty.jpg"))));
}

TEST_F(PainterChartTest, CopiesTheDrawnChartToTheClipboard)
{
    chart.draw();
    ASSERT_TRUE(chart.copyToClipboard());
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(682, 380));
    EXPECT_EQ(copied.pixelColor(1, 1), QColor(0x87, 0xCE, 0xFA));
}

TEST_F(PainterChartTest, DraggingOverTheLinesZoomsInAndADoubleClickShowsThemWhole)
{
    window.show();
    chart.draw();
    QWidget* shown = chart.widget();
    const QImage whole = shown->grab().toImage();
    const auto mouse = [shown](QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, shown->mapToGlobal(at), Qt::LeftButton,
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(shown, &event);
    };
    mouse(QEvent::MouseButtonPress, QPoint(120, 120));
    mouse(QEvent::MouseMove, QPoint(300, 250));
    mouse(QEvent::MouseButtonRelease, QPoint(300, 250));
    EXPECT_NE(shown->grab().toImage(), whole);
    mouse(QEvent::MouseButtonDblClick, QPoint(200, 200));
    EXPECT_EQ(shown->grab().toImage(), whole);
}

TEST_F(PainterChartTest, PrintsThroughThePrintDialogOnTheProgramsPrinter)
{
    chart.draw();
    test::PrinterSetupDouble dialog;
    PrinterSetupService::Override useDialog(dialog);
    QPrinter& printer = programPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = folder.filePath(QStringLiteral("chart.pdf"));
    printer.setOutputFileName(file);

    std::vector<PrintOutcome> outcomes;
    chart.print(&window, [&outcomes](PrintOutcome outcome) { outcomes.push_back(outcome); });
    EXPECT_TRUE(outcomes.empty()) << "waits for the user";
    ASSERT_EQ(dialog.parents, std::vector<QWidget*> { &window });
    dialog.answer(false);
    EXPECT_EQ(outcomes, std::vector<PrintOutcome> { PrintOutcome::Cancelled });
    EXPECT_FALSE(QFileInfo::exists(file));

    chart.print(&window, [&outcomes](PrintOutcome outcome) { outcomes.push_back(outcome); });
    // What was asked for is printed, whatever happens to the chart meanwhile.
    chart.reset();
    dialog.answer(true);
    EXPECT_EQ(outcomes.back(), PrintOutcome::Printed);
    EXPECT_GT(QFileInfo(file).size(), 1000);
    printer.setOutputFileName({});
    printer.setOutputFormat(QPrinter::NativeFormat);
}

TEST_F(PainterChartTest, APageThatCannotBeDrawnOnIsAFailedPrint)
{
    chart.draw();
    struct Unprintable final : PagePrinter {
        void print(QWidget*, PagePainter paint, Completion done) override
        {
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat); // no file named: nothing can be drawn
            done(paint(printer) ? PrintOutcome::Printed : PrintOutcome::Failed);
        }
    } unprintable;
    PagePrinterService::Override use(unprintable);
    std::optional<PrintOutcome> outcome;
    chart.print(&window, [&outcome](PrintOutcome answered) { outcome = answered; });
    EXPECT_EQ(outcome, PrintOutcome::Failed);
}

} // namespace
} // namespace nidora::platform
