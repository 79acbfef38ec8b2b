// The reports over the generated practice, each run as its prompt runs it: on a logical thread,
// through the progress window on its own timer, the pages handed to a previewer that keeps them.
// Goals: the patient roster of the whole practice (A to Z, 100,000 patients) from the prompt's
// OK to its first page drawn in the previewer within 1.5 s, numbering included, with the
// process's peak memory during it within 100 MB; its first page in the previewer under 1 s once
// the pass has handed the pages over; the clinical history of a patient with 200 consultations
// within 0.2 s from the start of the report to the pages handed over.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "reports/PageNumbering.h"
#include "reports/PreviewCanvas.h"
#include "reports/PreviewState.h"
#include "reports/Reports.h"
#include "reports/ScreenPreviewer.h"
#include "views/ProgramGlobals.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace nidora;
using bench::Clock;

// The patient whose clinical history is printed, and his 200 consultations.
constexpr std::int32_t kHistoryPatient = bench::kPatients + 1;
constexpr int kHistoryConsultations = 200;

class PageSink final : public views::ReportPreviewer {
public:
    Response preview(std::vector<views::ReportPage> handed, const views::PreviewOptions&) override
    {
        handedAt = Clock::now();
        pages = std::move(handed);
        return Completed;
    }
    std::vector<views::ReportPage> pages;
    Clock::time_point handedAt;
};

bench::GeneratedPractice& practice()
{
    static bench::GeneratedPractice generated;
    static const bool withHistory = [] {
        generated.patients->add(bench::patient(kHistoryPatient));
        generated.consultations->beginBuffered();
        for (int i = 1; i <= kHistoryConsultations; ++i) {
            data::CONSULTAS c = bench::consultation(bench::kConsultations + i);
            c.PACIENTE = kHistoryPatient;
            c.SINTOMATOLOGIA = QStringLiteral("Fiebre de dos días y tos seca, sin dificultad respiratoria.");
            c.MEDICACION = QStringLiteral("Paracetamol cada seis horas; lavados nasales.");
            generated.consultations->add(c);
        }
        generated.consultations->flush();
        return true;
    }();
    (void)withHistory;
    return generated;
}

// Runs a report on a logical thread of its own and waits for it; the sink holds its pages.
Clock::time_point runReport(void (*report)(), views::ReportPreviewer& sink)
{
    practice();
    const reports::PreviewerOverride keeping(sink);
    bool ended = false;
    const Clock::time_point start = Clock::now();
    framework::Scheduler::instance()->start(
        [&] {
            report();
            ended = true;
        },
        0);
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return start;
}

// Times each run of a report from its start to its pages handed over.
void timeRuns(benchmark::State& state, void (*report)())
{
    std::size_t pages = 0;
    double bytes = 0;
    for (auto _ : state) {
        PageSink sink;
        const Clock::time_point start = runReport(report, sink);
        state.SetIterationTime(std::chrono::duration<double>(sink.handedAt - start).count());
        pages = sink.pages.size();
        bytes = 0;
        for (const views::ReportPage& page : sink.pages)
            bytes += double(page.metafile().size());
    }
    state.counters["pages"] = double(pages);
    state.counters["KB per page"] = pages ? bytes / double(pages) / 1024 : 0;
    state.counters["pages/s"]
        = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

void RosterPages(benchmark::State& state)
{
    views::AppGlobals.DLETRA = QStringLiteral("A");
    views::AppGlobals.HLETRA = QStringLiteral("Z");
    timeRuns(state, reports::PrintPADRON);
}

// What the previewer does before its first page is on the screen: the pages numbered, the first
// one drawn at its zoom. Answers the number of pages.
int showFirstPage(std::vector<views::ReportPage> pages)
{
    reports::numberPages(pages);
    reports::PreviewState preview(std::move(pages));
    reports::PreviewCanvasWidget canvas(preview);
    canvas.resize(1000, 680);
    canvas.refresh();
    benchmark::DoNotOptimize(canvas.grab());
    return preview.pageCount();
}

void RosterFirstPageShown(benchmark::State& state)
{
    PageSink sink;
    runReport(reports::PrintPADRON, sink);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        showFirstPage(sink.pages);
        bench::seconds(state, start);
    }
}

// The process's peak resident memory in MB since the last reset (the whole run's when never
// reset).
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// Starts counting the peak resident memory again from what the process holds now.
void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

// The previewer as the screen's opens.
class FirstPageShown final : public views::ReportPreviewer {
public:
    Response preview(std::vector<views::ReportPage> handed, const views::PreviewOptions&) override
    {
        pages = showFirstPage(std::move(handed));
        shownAt = Clock::now();
        return Completed;
    }
    Clock::time_point shownAt;
    int pages = 0;
};

void RosterFromOkToFirstPage(benchmark::State& state)
{
    views::AppGlobals.DLETRA = QStringLiteral("A");
    views::AppGlobals.HLETRA = QStringLiteral("Z");
    practice();
    double before = 0;
    double peak = 0;
    int pages = 0;
    for (auto _ : state) {
        FirstPageShown shown;
        resetPeakMemory();
        before = peakMegabytes();
        const Clock::time_point start = runReport(reports::PrintPADRON, shown);
        state.SetIterationTime(std::chrono::duration<double>(shown.shownAt - start).count());
        peak = std::max(peak, peakMegabytes());
        pages = shown.pages;
    }
    state.counters["pages"] = double(pages);
    state.counters["MB before"] = before;
    state.counters["peak MB"] = peak;
}

void ClinicalHistoryOf200Consultations(benchmark::State& state)
{
    views::AppGlobals.SELECTPACIENTE = kHistoryPatient;
    views::AppGlobals.DF = 0;
    views::AppGlobals.HF = 999'999;
    timeRuns(state, reports::PrintHISCLINICA);
}

BENCHMARK(RosterFromOkToFirstPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RosterPages)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(RosterFirstPageShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ClinicalHistoryOf200Consultations)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWindowBenchmarks(argc, argv);
}
