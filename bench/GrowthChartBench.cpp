// A growth chart of a child with 300 consultations must come up in under 200 ms, from the button
// (the chart asked for on the form's thread) to the viewer's window with its chart drawn; a resize
// of that window must draw the chart again in under 50 ms, and the chart must be written to its
// JPEG file in under 200 ms. Measured on the 6-18-year weight chart, the one with the most
// points: a reference table with a row for every month of 0 to 18 years (seven curves of 145
// points) and 300 consultations in its range.
#include "WindowBench.h"

#include "clinical/ChartDrawings.h"
#include "clinical/ChartParameters.h"
#include "clinical/GrowthCharts.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "framework/Scheduler.h"
#include "platform/PainterChart.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace nidora;

constexpr int kWeight6to18 = 2;
constexpr int kConsultations = 300;

// The practice's files in a scratch folder made the working directory, written once.
struct GrowthPractice {
    GrowthPractice()
    {
        if (!folder.isValid() || !QDir::setCurrent(folder.path()))
            std::abort();
        data::DataFile::createEmpty(data::fileDesc(data::FileId::TABENFERMED));
        auto table = data::DataFile::open(data::fileDesc(data::FileId::TABCRECIMIENTO)).file;
        table->beginBuffered();
        for (int month = 0; month <= 216; ++month) {
            data::TABCRECIMIENTO row;
            row.EDAD = std::int16_t(month);
            for (std::size_t p = 0; p < 7; ++p)
                for (std::size_t s = 0; s < 2; ++s) {
                    row.PESOS[p][s] = 3000 + month * 300 + std::int64_t(p) * 800;
                    row.ALTURA[p][s] = 500 + month * 6 + std::int64_t(p) * 20;
                }
            table->add(row);
        }
        table->flush();
        boy.CODIGO = 1;
        boy.NOMBRE = QStringLiteral("PEREZ, JUAN");
        boy.SEXO = QStringLiteral("M");
        boy.FNACIMIENTO = 70'000;
        data::DataFile::open(data::fileDesc(data::FileId::PACIENTES)).file->add(boy);
        auto visits = data::DataFile::open(data::fileDesc(data::FileId::CONSULTAS)).file;
        visits->beginBuffered();
        for (int i = 0; i < kConsultations; ++i) {
            data::CONSULTAS visit;
            visit.CODIGO = i + 1;
            visit.PACIENTE = 1;
            // Fifteen days apart from 6 years on.
            const int days = 6 * 360 + i * 15;
            visit.FECHA = boy.FNACIMIENTO + days;
            visit.ANIOS = std::uint8_t(days / 360);
            visit.MESES = std::uint8_t(days % 360 / 30);
            visit.DIAS = std::uint8_t(days % 30);
            visit.PESO = 20'000 + i * 100;
            visits->add(visit);
        }
        visits->flush();
    }

    QTemporaryDir folder;
    data::PACIENTES boy;
};

GrowthPractice& practice()
{
    static GrowthPractice shared;
    return shared;
}

QWidget* shownChart()
{
    for (QWidget* each : QApplication::allWidgets())
        if (each->objectName() == QLatin1String("chart") && each->isVisible())
            return each;
    return nullptr;
}

// The chart on the form's logical thread, for as long as the object lives.
struct OpenChart {
    OpenChart()
    {
        thread = framework::StartOnNewThread(
            [this] {
                views::threadDictionary().buffer<data::PACIENTES>() = practice().boy;
                clinical::growthChart(kWeight6to18);
                ended = true;
            },
            25'000);
        QWidget* chart = nullptr;
        while (!(chart = shownChart()))
            QCoreApplication::processEvents();
        window = chart->parentWidget();
    }
    ~OpenChart()
    {
        window->close();
        while (!ended)
            QCoreApplication::processEvents();
    }
    int thread = 0;
    bool ended = false;
    // The viewer's window; the chart in it is made anew at each resize.
    QWidget* window = nullptr;
};

void GrowthChartToDrawnWindow(benchmark::State& state)
{
    practice();
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        OpenChart open;
        bench::seconds(state, start);
    }
}
BENCHMARK(GrowthChartToDrawnWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

// Larger and back, one resize an iteration, until the chart is drawn at the new size.
void GrowthChartResizeRedraw(benchmark::State& state)
{
    practice();
    OpenChart open;
    QWidget* window = open.window;
    const QSize opened = window->size();
    bool larger = true;
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        window->resize(larger ? opened + QSize(200, 120) : opened);
        bench::settleThread(open.thread);
        while (!shownChart())
            QCoreApplication::processEvents();
        bench::seconds(state, start);
        larger = !larger;
    }
}
BENCHMARK(GrowthChartResizeRedraw)->UseManualTime()->Unit(benchmark::kMillisecond);

// The chart as the viewer makes it from the filled GRAFICO, written to its file.
void GrowthChartSaveJpeg(benchmark::State& state)
{
    practice();
    {
        OpenChart filled;
    }
    std::vector<data::GRAFICO> points;
    auto file = data::DataFile::open(data::fileDesc(data::FileId::GRAFICO)).file;
    file->page(nullptr, {}, data::Direction::Forward, 1'000'000,
        [&points](const data::RecordRef&, const data::Record& r) {
            points.push_back(static_cast<const data::GRAFICO&>(r));
        });
    clinical::ChartParameters parameters;
    parameters.ChartImageName = QStringLiteral("PESO 6-18 Años");
    parameters.XYChartXMin = 6;
    parameters.XYChartXMax = 18;
    parameters.XYChartYMax = 90;
    parameters.XYChartXTicks = 13;
    parameters.XYChartYTicks = 19;
    parameters.XYChartSeriesStyle = { 70, 68, 68, 73, 68, 68, 70, 71 };
    parameters.XYChartSeriesMark[7] = 21;
    platform::PainterChart chart;
    clinical::drawLineChart(chart, nullptr, { QRect(4, 34, 682, 380), {} }, points, parameters);
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        if (!chart.saveJpeg(QStringLiteral("PESO 6-18 Años.jpg"), QSize(682, 380), 100))
            state.SkipWithError("not written");
        bench::seconds(state, start);
    }
    state.counters["points"] = double(points.size());
}
BENCHMARK(GrowthChartSaveJpeg)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
