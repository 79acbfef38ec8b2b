// A statistics chart over the generated practice must come up in under 2 s from the OK button to
// the drawn chart, the progress shown while it counts: the consultations for one reason by
// month of a year (1,000,000 consultations in the file, about 143,000 for the reason) and the
// diagnoses of one pathology by age group over every date (500,000 pathologies, about 71,000 of
// it). The reasons' years are counted as well, every record of the reason in one pass.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "core/Clock.h"
#include "reports/StatisticsWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace {

using namespace nidora;

bench::GeneratedPractice& practice()
{
    static bench::GeneratedPractice shared;
    return shared;
}

QWidget* named(const char* name)
{
    for (QWidget* each : QApplication::allWidgets())
        if (each->objectName() == QLatin1String(name) && each->isVisible())
            return each;
    return nullptr;
}

// One chart an iteration: the window opened and the selection typed outside the time, then
// from the press of OK until the viewer shows its chart; closing the chart closes the window.
void chartFromButton(benchmark::State& state, void (*procedure)(), const char* selection)
{
    practice();
    // In the middle of the generated dates (1992 to 2016).
    const Clock::Fixed today(QDateTime(QDate(2004, 6, 1), QTime(9, 0)));
    for (auto _ : state) {
        bench::WindowOnThread window(procedure, 25'000, [] { return named("?BUTTON1"); });
        auto* combo = qobject_cast<QComboBox*>(window.widget()->window()->findChild<QComboBox*>());
        combo->lineEdit()->setText(QString::fromLatin1(selection));
        const bench::Clock::time_point start = bench::Clock::now();
        qobject_cast<QAbstractButton*>(window.widget())->click();
        QWidget* chart = nullptr;
        while (!(chart = named("chart")))
            QCoreApplication::processEvents();
        chart->repaint();
        bench::seconds(state, start);
        chart->window()->close();
    }
}

void MonthlyConsultationsToChart(benchmark::State& state)
{
    chartFromButton(state, reports::PantallaG21, "CONTROL");
}
BENCHMARK(MonthlyConsultationsToChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void YearlyConsultationsToChart(benchmark::State& state)
{
    chartFromButton(state, reports::PantallaG22, "CONTROL");
}
BENCHMARK(YearlyConsultationsToChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void PathologiesByAgeToChart(benchmark::State& state)
{
    chartFromButton(state, reports::PantallaG4, "GRIPE");
}
BENCHMARK(PathologiesByAgeToChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void ConsultationsBySexToChart(benchmark::State& state)
{
    chartFromButton(state, reports::PantallaG23, "FIEBRE");
}
BENCHMARK(ConsultationsBySexToChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
