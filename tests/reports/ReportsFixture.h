#pragma once

#include "views/RecordWindowsTest.h"

#include "reports/Reports.h"
#include "reports/ScreenPreviewer.h"

#include "core/Clock.h"
#include "views/ProgramGlobals.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <functional>
#include <vector>

// A practice on disk, the prompt values as the program starts them, a fixed today, and a
// previewer that keeps the pages every report hands it.
namespace nidora::reports::test {

// With NIDORA_SCREENSHOTS set, each preview's first page is also drawn into that folder as a
// PNG named by the test, to be looked at.
class PageKeeper final : public views::ReportPreviewer {
public:
    Response preview(std::vector<views::ReportPage> pages, const views::PreviewOptions& options) override
    {
        if (const QString folder = qEnvironmentVariable("NIDORA_SCREENSHOTS");
            !folder.isEmpty() && !pages.empty())
            savePicture(pages.front(), folder);
        previews.push_back(std::move(pages));
        zooms.push_back(options.zoom);
        return Completed;
    }
    void savePicture(const views::ReportPage& page, const QString& folder)
    {
        const QSize size = page.size() / 10;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        page.draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        QDir().mkpath(folder);
        picture.save(QDir(folder).filePath(
            QStringLiteral("%1-%2.png").arg(QString::fromLatin1(test->name())).arg(++saved)));
    }
    int saved = 0;
    std::vector<std::vector<views::ReportPage>> previews;
    std::vector<QString> zooms;
};

class ReportsTest : public views::test::RecordWindowsTest {
protected:
    // Monday 14 March 2011, in the morning.
    static constexpr Date kToday = 76777;

    ReportsTest()
        : today_(QDateTime(QDate(2011, 3, 14), QTime(9, 0)))
    {
        views::AppGlobals = views::ProgramGlobals {};
    }
    ~ReportsTest() override { views::AppGlobals = views::ProgramGlobals {}; }

    // Starts a procedure on a thread of its own as the launcher does; `ended` is set when it
    // returns.
    void start(void (*procedure)())
    {
        ended = false;
        driver.start([this, procedure] {
            procedure();
            ended = true;
        });
    }
    bool finished()
    {
        return driver.runUntil([this] { return ended; });
    }
    QString shownIn(const char* control)
    {
        auto* line = qobject_cast<QLineEdit*>(driver.find(QString::fromLatin1(control)));
        return line ? line->text() : QStringLiteral("<none>");
    }
    // OK on the prompt; the report runs and the prompt closes when it returns.
    void ok() { driver.click(QStringLiteral("?BUTTON1")); }

    PageKeeper previewer;
    bool ended = false;

private:
    Clock::Fixed today_;
    PreviewerOverride keeping_ { previewer };
};

} // namespace nidora::reports::test
