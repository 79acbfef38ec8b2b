#include "reports/PreviewWindow.h"

#include "framework/KeyCodes.h"
#include "framework/WindowTestSupport.h"
#include "platform/FileChooserDouble.h"
#include "platform/PrinterSetupDouble.h"
#include "reports/PageNumbering.h"
#include "reports/PagePrinting.h"
#include "reports/PageText.h"
#include "reports/PreviewCanvas.h"
#include "reports/StatusBarControl.h"
#include "support/QStringPrinter.h"
#include "support/ScratchDirectory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <optional>

namespace nidora::reports {
namespace {

// A page of a report: its number in the body and the numbering placeholder in the footer.
views::ReportPage reportPage(int n)
{
    views::ReportPage page = views::ReportPage::portrait();
    QPainter painter(&page);
    painter.setFont(QFont("Courier New", 10));
    painter.drawText(QPointF(500, 1000), QStringLiteral("Página %1").arg(n));
    painter.drawRect(QRectF(500, 1500, 7000, 8000));
    painter.drawText(QPointF(3000, 10500), kPagePlaceholder);
    painter.end();
    return page;
}

std::vector<views::ReportPage> reportPages(int count)
{
    std::vector<views::ReportPage> pages;
    for (int n = 1; n <= count; ++n)
        pages.push_back(reportPage(n));
    return pages;
}

// The body line of each page printed or saved, in order.
QStringList bodiesOf(const QString& text)
{
    QStringList bodies;
    for (const QString& line : text.split('\n'))
        if (line.trimmed().startsWith(QStringLiteral("Página")))
            bodies.append(line.trimmed());
    return bodies;
}

int pdfPageCount(const QString& file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    return int(
        QString::fromLatin1(pdf.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class PreviewWindowTest : public framework::test::WindowsTest {
protected:
    // Opens the preview of `count` pages on a logical thread of its own, as a report would.
    void open(int count, const views::PreviewOptions& options = {})
    {
        driver.start([this, count, options] {
            PreviewWindow window(reportPages(count), options, printOptions);
            window_ = &window;
            answer = Response(window.run());
            window_ = nullptr;
        });
        ASSERT_TRUE(driver.runUntil([this] { return window_ && driver.find(PreviewWindow::kNext); }));
    }
    bool closed()
    {
        return driver.runUntil([this] { return answer.has_value(); });
    }

    const PreviewState& state() const { return window_->state(); }
    QString status(int part) const { return window_->statusBar().text(part); }
    bool enabled(const char* name) const
    {
        QWidget* found = driver.find(QLatin1String(name));
        return found && found->isEnabled();
    }
    void press(const char* name) { driver.click(QLatin1String(name)); }
    void setSpin(const char* name, int value)
    {
        auto* spin = qobject_cast<QSpinBox*>(driver.find(QLatin1String(name)));
        ASSERT_NE(spin, nullptr) << name;
        spin->setValue(value);
    }
    // Chooses in the print options and presses OK (or Cancel).
    void printWith(const std::function<void()>& choose, const char* button = "?OkButton")
    {
        press(PreviewWindow::kPrint);
        ASSERT_TRUE(
            driver.runUntil([this] { return driver.window(QStringLiteral("Print Options")) != nullptr; }));
        choose();
        press(button);
        driver.settle();
    }

    nidora::test::ScratchDirectory scratch;
    nidora::test::SaveFileChooserDouble saveChooser;
    platform::SaveFileChooserService::Override useSaveChooser { saveChooser };
    nidora::test::PrinterSetupDouble printer;
    platform::PrinterSetupService::Override usePrinter { printer };
    PrintOptions printOptions;
    PreviewWindow* window_ = nullptr;
    std::optional<Response> answer;
};

TEST_F(PreviewWindowTest, OpensOnTheFirstPageWithThePagesNumbered)
{
    open(3);
    EXPECT_TRUE(driver.window(QStringLiteral("Report Preview")));
    EXPECT_EQ(state().pageCount(), 3);
    EXPECT_EQ(status(2), QStringLiteral("Zoom (100%)"));
    EXPECT_EQ(status(5), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(pageTextLines(state().page(2).metafile()).last().trimmed(), QStringLiteral("Page 2 of 3"));
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
    EXPECT_EQ(*answer, Cancelled);
}

TEST_F(PreviewWindowTest, TheTitleIsTheCaption)
{
    open(1, { QStringLiteral("Zoom (50%)"), QStringLiteral("Historia clínica") });
    EXPECT_TRUE(driver.window(QStringLiteral("Historia clínica")));
    EXPECT_EQ(status(2), QStringLiteral("Zoom (50%)"));
    driver.close(QStringLiteral("Historia clínica"));
    ASSERT_TRUE(closed());
    EXPECT_EQ(*answer, Cancelled);
}

TEST_F(PreviewWindowTest, NavigationIsEnabledWhereItLeadsSomewhere)
{
    open(3);
    const auto buttons = [this] {
        return std::vector<bool> { enabled(PreviewWindow::kTop), enabled(PreviewWindow::kPrevious),
            enabled(PreviewWindow::kNext), enabled(PreviewWindow::kBottom) };
    };
    const std::vector<bool> onFirst { false, false, true, true }, between { true, true, true, true },
        onLast { true, true, false, false };
    EXPECT_EQ(buttons(), onFirst);
    press(PreviewWindow::kNext);
    EXPECT_EQ(state().current(), 2);
    EXPECT_EQ(buttons(), between);
    press(PreviewWindow::kBottom);
    EXPECT_EQ(status(5), QStringLiteral("Page 3 of 3"));
    EXPECT_EQ(buttons(), onLast);
    driver.pressKey(QLatin1String(PreviewWindow::kCanvas), keys::PageUp);
    driver.settle();
    EXPECT_EQ(state().current(), 2);
    driver.pressKey(QLatin1String(PreviewWindow::kCanvas), keys::PageDown);
    driver.pressKey(QLatin1String(PreviewWindow::kCanvas), keys::PageDown);
    driver.settle();
    EXPECT_EQ(state().current(), 3);
    press(PreviewWindow::kTop);
    EXPECT_EQ(buttons(), onFirst);
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

TEST_F(PreviewWindowTest, MarksAndDeletesKeepCountsAndTheLastPage)
{
    open(3);
    press(PreviewWindow::kNext);
    press(PreviewWindow::kMark);
    EXPECT_TRUE(state().isMarked(2));
    EXPECT_EQ(status(4), QStringLiteral("Marked"));
    press(PreviewWindow::kDelete);
    EXPECT_EQ(state().pageCount(), 2);
    EXPECT_EQ(state().markedCount(), 0);
    EXPECT_EQ(state().current(), 1);
    EXPECT_EQ(status(4), QString());
    EXPECT_EQ(bodiesOf(pageTextLines(state().page(2).metafile()).join('\n')), QStringList({ "Página 3" }));

    // With no page marked any more, the marked and unmarked choices cannot be taken.
    printWith(
        [this] {
            EXPECT_FALSE(enabled("?MarkedPages"));
            EXPECT_FALSE(enabled("?UnmarkedPages"));
            EXPECT_FALSE(enabled("?PAGEFROM"));
        },
        "?CancelButton");
    ASSERT_TRUE(closed());
    EXPECT_EQ(*answer, Cancelled);
}

TEST_F(PreviewWindowTest, TheOnlyPageLeftCannotBeDeleted)
{
    open(2);
    EXPECT_TRUE(enabled(PreviewWindow::kDelete));
    press(PreviewWindow::kDelete);
    EXPECT_EQ(state().pageCount(), 1);
    EXPECT_FALSE(enabled(PreviewWindow::kDelete));
    EXPECT_FALSE(enabled(PreviewWindow::kNext));
    EXPECT_FALSE(enabled(PreviewWindow::kPrevious));
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

TEST_F(PreviewWindowTest, ThumbnailsShowAGridAndAClickZoomsIntoAPage)
{
    open(10);
    press(PreviewWindow::kChangeDisplay);
    ASSERT_TRUE(
        driver.runUntil([this] { return driver.window(QStringLiteral("Change the Report Display")); }));
    setSpin("?PAGESACROSS", 3);
    setSpin("?PAGESDOWN", 2);
    press("?OkButton");
    driver.settle();
    EXPECT_EQ(state().zoom(), kNoZoom);
    EXPECT_EQ(state().thumbnailsShown(), 6);
    for (const char* single : { PreviewWindow::kMark, PreviewWindow::kDelete, PreviewWindow::kPrintSingle,
             PreviewWindow::kSaveCurrent })
        EXPECT_FALSE(enabled(single)) << single;
    PreviewCanvasWidget& canvas = window_->canvas().canvas();
    ASSERT_EQ(canvas.thumbnails().size(), 6u);
    press(PreviewWindow::kNext);
    EXPECT_EQ(state().current(), 7);
    EXPECT_EQ(state().thumbnailsShown(), 4);
    EXPECT_FALSE(enabled(PreviewWindow::kNext));

    // A click on the third thumbnail shows page 9 at the page's width; a click on it goes back.
    const QRect third = canvas.thumbnails()[2].second;
    EXPECT_EQ(canvas.thumbnails()[2].first, 9);
    QMouseEvent click(QEvent::MouseButtonPress, QPointF(third.center()),
        QPointF(canvas.viewport()->mapToGlobal(third.center())), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(canvas.viewport(), &click);
    driver.settle();
    EXPECT_EQ(state().current(), 9);
    EXPECT_EQ(state().zoom(), kPageWidth);
    EXPECT_EQ(canvas.zoomedSize().width() + 16, canvas.viewport()->width());
    EXPECT_TRUE(enabled(PreviewWindow::kMark));
    QCoreApplication::sendEvent(canvas.viewport(), &click);
    driver.settle();
    EXPECT_EQ(state().zoom(), kNoZoom);
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

TEST_F(PreviewWindowTest, PrintsTheChosenPagesAsOneJobIntoTheNamedFile)
{
    ASSERT_TRUE(printsToFile(printer.printer()));
    saveChooser.answer = scratch.filePath(QStringLiteral("informe"));
    open(4, { QStringLiteral("Zoom (100%)"), QStringLiteral("Listado") });
    printWith([this] {
        driver.click(QStringLiteral("?RangeOfPages"));
        driver.settle();
        EXPECT_TRUE(enabled("?PAGEFROM"));
        setSpin("?PAGEFROM", 2);
        setSpin("?PAGETO", 3);
        setSpin("?PRINTCOPIES", 3);
        driver.click(QStringLiteral("?PRINTCOLLATE"));
    });
    ASSERT_TRUE(closed());
    EXPECT_EQ(*answer, Completed);
    EXPECT_EQ(saveChooser.askedName, QStringLiteral("Listado.pdf"));
    EXPECT_EQ(pdfPageCount(scratch.filePath(QStringLiteral("informe.pdf"))), 6);
    EXPECT_EQ(printer.printer().docName(), QStringLiteral("Listado"));
    EXPECT_EQ(printer.printer().copyCount(), 1);
    EXPECT_EQ(printOptions.copies, 3);
    EXPECT_TRUE(printOptions.collate);
    // The file was for that job only.
    EXPECT_TRUE(printsToFile(printer.printer()));
}

TEST_F(PreviewWindowTest, AChoiceOfNoPagePrintsNothingAndSaysSo)
{
    saveChooser.answer = scratch.filePath(QStringLiteral("nada.pdf"));
    open(3);
    printWith([this] {
        driver.click(QStringLiteral("?RangeOfPages"));
        setSpin("?PAGEFROM", 3);
        setSpin("?PAGETO", 2);
    });
    EXPECT_TRUE(driver.answer(QStringLiteral("no se imprimió nada"), QStringLiteral("OK")));
    driver.settle();
    EXPECT_FALSE(answer.has_value());
    EXPECT_FALSE(QFile::exists(scratch.filePath(QStringLiteral("nada.pdf"))));
    EXPECT_EQ(saveChooser.asked, 0);
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

TEST_F(PreviewWindowTest, TheCurrentPagePrintsAloneAndThePreviewStays)
{
    saveChooser.answer = scratch.filePath(QStringLiteral("una.pdf"));
    open(3);
    press(PreviewWindow::kBottom);
    press(PreviewWindow::kPrintSingle);
    driver.settle();
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(pdfPageCount(scratch.filePath(QStringLiteral("una.pdf"))), 1);
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
    EXPECT_EQ(*answer, Cancelled);
}

TEST_F(PreviewWindowTest, SavesTheCurrentPageAsMetafileOrText)
{
    open(2);
    press(PreviewWindow::kNext);
    const struct {
        const char* name;
        bool metafile;
    } cases[] = { { "pagina.WMF", true }, { "pagina2.wmf", true }, { "pagina.txt", false } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        saveChooser.answer = scratch.filePath(QLatin1String(c.name));
        press(PreviewWindow::kSaveCurrent);
        driver.settle();
        EXPECT_EQ(saveChooser.askedTitle, QStringLiteral("Save Current Page to File..."));
        QFile saved(saveChooser.answer);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        if (c.metafile) {
            EXPECT_EQ(bytes, state().page(2).metafile());
        } else {
            EXPECT_EQ(bodiesOf(QString::fromUtf8(bytes)), QStringList({ "Página 2" }));
            EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("Page 2 of 2")));
        }
    }
    // The dialog proposes the last name used.
    EXPECT_EQ(saveChooser.askedName, scratch.filePath(QStringLiteral("pagina2.wmf")));
    ASSERT_EQ(saveChooser.askedFilters.size(), 3u);
    EXPECT_EQ(saveChooser.askedFilters[1].patterns, QStringList({ QStringLiteral("*.WMF") }));
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

TEST_F(PreviewWindowTest, SavesAllOrMarkedPagesAsTextIntoSaveTxt)
{
    open(3);
    press(PreviewWindow::kSaveAll);
    ASSERT_TRUE(
        driver.runUntil([this] { return driver.window(QStringLiteral("Save All Pages to File...")); }));
    press("?OkButton");
    driver.settle();
    QFile all(scratch.filePath(QStringLiteral("Save.txt")));
    ASSERT_TRUE(all.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        bodiesOf(QString::fromUtf8(all.readAll())), QStringList({ "Página 1", "Página 2", "Página 3" }));
    all.close();

    press(PreviewWindow::kMark);
    press(PreviewWindow::kBottom);
    press(PreviewWindow::kMark);
    press(PreviewWindow::kSaveAll);
    ASSERT_TRUE(
        driver.runUntil([this] { return driver.window(QStringLiteral("Save All Pages to File...")); }));
    driver.click(QStringLiteral("?MarkedPages"));
    press("?OkButton");
    driver.settle();
    ASSERT_TRUE(all.open(QIODevice::ReadOnly));
    // Created anew: the marked pages alone.
    EXPECT_EQ(bodiesOf(QString::fromUtf8(all.readAll())), QStringList({ "Página 1", "Página 3" }));
    press(PreviewWindow::kExit);
    ASSERT_TRUE(closed());
}

} // namespace
} // namespace nidora::reports
