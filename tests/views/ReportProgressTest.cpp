#include "views/ReportProgress.h"

#include "ReportTestSupport.h"
#include "framework/WindowTestSupport.h"

#include <QLabel>
#include <QProgressBar>

#include <gmock/gmock.h>

namespace nidora::views {
namespace {

using data::CONSULTAS;
using data::FileId;
using framework::event::Timer;
using testing::ElementsAre;

const QString kCaption = QStringLiteral("Report Progress...");

// The consultations file of a small practice, a report over it started on a logical thread of
// its own as its prompt would, and the timer driven by hand: each tick() is one timer event.
class ReportProgressTest : public data::test::AccessTest {
protected:
    ReportProgressTest() { core::AppErrorManager.setThreadNumberProvider(&framework::CurrentThreadNumber); }
    ~ReportProgressTest() override
    {
        core::AppErrorManager.setThreadNumberProvider([] { return 1; });
    }

    void SetUp() override { test::storeConsultations(disk(FileId::CONSULTAS)); }

    // Starts the report over the consultations of one patient; answer is set when it returns.
    int startReport(std::int64_t patientCode, RecordFilter filter = {}, int timer = 0)
    {
        report_.emplace(Report { .procedure = QStringLiteral("PrintHISCLINICA"),
            .file = data.relation(FileId::CONSULTAS),
            .order = test::consultationsOf(key(FileId::CONSULTAS, "CON:KPACIENTE"), patientCode),
            .filter = std::move(filter),
            .bands = bands,
            .previewer = previewer,
            .timerHundredths = timer });
        return driver.start([this] {
            const Response response = runReport(*report_);
            answer = response;
            answerLeft = framework::currentThread().CallResponse;
        });
    }

    void tick(int thread)
    {
        if (framework::ThreadContext* context = scheduler.find(thread))
            context->events().post(framework::ThreadEvent { Timer, nullptr, {} });
        driver.settle();
    }

    QString percentText() const
    {
        auto* label = qobject_cast<QLabel*>(driver.find(QLatin1String(ReportProgressWindow::kPercentText)));
        return label ? label->text() : QString();
    }
    int barValue() const
    {
        auto* bar = qobject_cast<QProgressBar*>(driver.find(QLatin1String(ReportProgressWindow::kBar)));
        return bar ? bar->value() : -1;
    }
    bool ended(int thread)
    {
        return driver.runUntil([&] { return scheduler.find(thread) == nullptr; });
    }

    static bool after110(const data::Record& r) { return static_cast<const CONSULTAS&>(r).CODIGO > 110; }

    framework::Scheduler scheduler;
    nidora::test::WindowDriver driver;
    test::NotingBands bands;
    test::PreviewSink previewer;
    std::optional<Report> report_;
    std::optional<Response> answer;
    int answerLeft = -1;
};

TEST_F(ReportProgressTest, PassInKeyOrderWithRangeAndFilterHandsItsPagesToThePreviewer)
{
    const int thread = startReport(2, after110);
    ASSERT_NE(driver.window(kCaption), nullptr);
    EXPECT_TRUE(bands.printed.empty()) << "nothing is printed before the first tick";
    std::vector<QString> percents { percentText() };
    std::vector<int> bar { barValue() };
    previewer.onPreview = [&] {
        percents.push_back(percentText());
        bar.push_back(barValue());
    };
    for (int ticks = 0; ticks < 10 && scheduler.find(thread); ++ticks) {
        tick(thread);
        if (previewer.previewed.empty() && driver.window(kCaption)) {
            percents.push_back(percentText());
            bar.push_back(barValue());
        }
    }
    ASSERT_TRUE(ended(thread));
    // 122 consultations, 50 read a tick: the range of patient 2 ends on the third.
    EXPECT_THAT(percents, ElementsAre("0%", "40%", "81%", "100%"));
    EXPECT_THAT(bar, ElementsAre(0, 40, 81, 100));
    EXPECT_THAT(bands.printed, ElementsAre(120, 119, 118, 117, 116, 115, 114, 113, 112, 111));
    EXPECT_THAT(previewer.previewed, ElementsAre(4));
    EXPECT_THAT(previewer.zooms, ElementsAre("Zoom (100%)"));
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(answerLeft, Completed);
    EXPECT_EQ(driver.window(kCaption), nullptr);
    EXPECT_TRUE(presenter.shown().empty());
    EXPECT_FALSE(access(FileId::CONSULTAS).isOpen()) << "the report closes what it opened";
}

TEST_F(ReportProgressTest, CancelHandsNothingOnAndAnswersCancelled)
{
    const int thread = startReport(2);
    tick(thread);
    ASSERT_EQ(percentText(), "40%");
    driver.click(QLatin1String(ReportProgressWindow::kCancel));
    ASSERT_TRUE(ended(thread));
    EXPECT_EQ(bands.printed.size(), std::size_t(ReportPass::kRecordsPerStep));
    EXPECT_TRUE(previewer.previewed.empty());
    EXPECT_EQ(answer, Cancelled);
    EXPECT_EQ(answerLeft, Cancelled);
    EXPECT_TRUE(presenter.shown().empty());
}

TEST_F(ReportProgressTest, ClosingTheWindowCancelsLikeTheButton)
{
    const int thread = startReport(2);
    driver.close(kCaption);
    ASSERT_TRUE(ended(thread));
    EXPECT_TRUE(bands.printed.empty());
    EXPECT_TRUE(previewer.previewed.empty());
    EXPECT_EQ(answer, Cancelled);
}

TEST_F(ReportProgressTest, EmptySelectionShowsMessage25AndLeavesNoWindowOpen)
{
    acknowledge();
    const int thread = startReport(9);
    tick(thread);
    ASSERT_TRUE(ended(thread));
    EXPECT_THAT(shownNumbers(), ElementsAre(25));
    EXPECT_TRUE(previewer.previewed.empty());
    EXPECT_EQ(answer, Cancelled);
    EXPECT_EQ(driver.window(kCaption), nullptr);
    EXPECT_TRUE(core::AppErrorManager.procedures().empty());
}

TEST_F(ReportProgressTest, AnotherThreadsWindowStaysUsableWhileTheReportRuns)
{
    bool otherEnded = false;
    driver.start([&] {
        framework::test::SampleWindow other(QStringLiteral("Other"));
        other.run();
        otherEnded = true;
    });
    const int thread = startReport(2);
    tick(thread);
    ASSERT_NE(driver.window(kCaption), nullptr);
    ASSERT_TRUE(driver.window(QStringLiteral("Other"))->isEnabled());
    EXPECT_THAT(core::AppErrorManager.procedures(),
        ElementsAre(core::ProcedureEntry { 2, QStringLiteral("Sample:Other") },
            core::ProcedureEntry { thread, QStringLiteral("PrintHISCLINICA") }));

    driver.type(QStringLiteral("?CODIGO"), QStringLiteral("7"));
    driver.click(QStringLiteral("?OK:Other"));
    ASSERT_TRUE(driver.runUntil([&] { return otherEnded; }));
    EXPECT_NE(driver.window(kCaption), nullptr) << "the report goes on meanwhile";

    for (int ticks = 0; ticks < 5 && scheduler.find(thread); ++ticks)
        tick(thread);
    ASSERT_TRUE(ended(thread));
    EXPECT_THAT(previewer.previewed, ElementsAre(40));
}

TEST_F(ReportProgressTest, TheWindowsOwnTimerRunsThePassToTheEnd)
{
    const int thread = startReport(2, after110, 1);
    ASSERT_TRUE(ended(thread));
    EXPECT_THAT(previewer.previewed, ElementsAre(4));
    EXPECT_EQ(answer, Completed);
}

} // namespace
} // namespace nidora::views
