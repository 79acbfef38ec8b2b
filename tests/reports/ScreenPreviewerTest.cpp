#include "reports/ScreenPreviewer.h"

#include "framework/WindowTestSupport.h"
#include "platform/FileChooserDouble.h"
#include "platform/PrinterSetupDouble.h"
#include "reports/PageNumbering.h"
#include "reports/PreviewWindow.h"
#include "support/ScratchDirectory.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

namespace nidora::reports {
namespace {

std::vector<views::ReportPage> pagesWithFooters(int count)
{
    std::vector<views::ReportPage> pages(std::size_t(count), views::ReportPage::portrait());
    for (views::ReportPage& page : pages) {
        QPainter painter(&page);
        painter.drawText(QPointF(3000, 10500), kPagePlaceholder);
    }
    return pages;
}

// Stands in for the screen: keeps what it was handed.
class Sink : public views::ReportPreviewer {
public:
    Response preview(std::vector<views::ReportPage> pages, const views::PreviewOptions& options) override
    {
        handed.push_back(int(pages.size()));
        titles.push_back(options.title);
        return Completed;
    }
    std::vector<int> handed;
    std::vector<QString> titles;
};

class ScreenPreviewerTest : public framework::test::WindowsTest {
protected:
    nidora::test::ScratchDirectory scratch;
    nidora::test::SaveFileChooserDouble saveChooser;
    platform::SaveFileChooserService::Override useSaveChooser { saveChooser };
    nidora::test::PrinterSetupDouble printer;
    platform::PrinterSetupService::Override usePrinter { printer };
};

TEST_F(ScreenPreviewerTest, TheFirstHandOverPreviewsALaterOnePrintsAtOnce)
{
    std::optional<Response> first, second;
    driver.start([&] {
        ScreenPreviewer previewer;
        first = previewer.preview(
            pagesWithFooters(3), { QStringLiteral("Zoom (100%)"), QStringLiteral("Lista") });
        second = previewer.preview(
            pagesWithFooters(2), { QStringLiteral("Zoom (100%)"), QStringLiteral("Lista") });
    });
    ASSERT_TRUE(driver.runUntil([&] { return driver.window(QStringLiteral("Lista")) != nullptr; }));
    saveChooser.answer = scratch.filePath(QStringLiteral("dos.pdf"));
    driver.click(QLatin1String(PreviewWindow::kExit));
    ASSERT_TRUE(driver.runUntil([&] { return second.has_value(); }));
    EXPECT_EQ(*first, Cancelled);
    EXPECT_EQ(*second, Completed);
    EXPECT_EQ(saveChooser.asked, 1);
    EXPECT_TRUE(QFile::exists(scratch.filePath(QStringLiteral("dos.pdf"))));
}

TEST_F(ScreenPreviewerTest, ATestPutsItsOwnPreviewerInTheScreensPlace)
{
    Sink sink;
    {
        PreviewerOverride use(sink);
        const auto previewer = screenPreviewer();
        EXPECT_EQ(previewer->preview(
                      pagesWithFooters(4), { QStringLiteral("Page Width"), QStringLiteral("Ficha") }),
            Completed);
    }
    EXPECT_EQ(sink.handed, std::vector<int>({ 4 }));
    EXPECT_EQ(sink.titles, std::vector<QString>({ QStringLiteral("Ficha") }));
    EXPECT_NE(dynamic_cast<ScreenPreviewer*>(screenPreviewer().get()), nullptr);
}

} // namespace
} // namespace nidora::reports
