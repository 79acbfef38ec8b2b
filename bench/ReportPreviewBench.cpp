// A 200-page report in the preview. Goals: its first page shown under 1 s from the end of the
// report's pass (numbering the pages included); another page, another zoom and a grid of 12
// thumbnails each drawn under 100 ms; all pages exported as text under 1 s. The pages are drawn
// as the consultation history lays them out: two pictures and a title in the header, then
// bands of labelled values under rules, and the page number in the footer. The view is the
// preview's own canvas, drawn into a picture as the screen would show it.
#include "WindowBench.h"

#include "reports/PageNumbering.h"
#include "reports/PageText.h"
#include "reports/PreviewCanvas.h"
#include "reports/PreviewState.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace nidora;
using bench::Clock;

constexpr int kPages = 200;

views::ReportPage consultationPage(int number)
{
    static const QImage bar = [] {
        QImage image(600, 24, QImage::Format_RGB32);
        image.fill(QColor(40, 90, 150));
        return image;
    }();
    static const QImage logo = [] {
        QImage image(120, 120, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setBrush(QColor(200, 60, 60));
        painter.drawEllipse(10, 10, 100, 100);
        return image;
    }();
    views::ReportPage page = views::ReportPage::portrait();
    QPainter painter(&page);
    painter.drawImage(QRectF(500, 300, 7000, 250), bar);
    painter.drawImage(QRectF(500, 600, 900, 900), logo);
    painter.setFont(QFont("Courier New", 11, QFont::Bold));
    painter.drawText(QPointF(1600, 900), QStringLiteral("HISTORIAL DE CONSULTAS"));
    painter.setFont(QFont("Courier New", 8, QFont::Bold));
    painter.drawText(QPointF(1600, 1150), QStringLiteral("Paciente:      1234 PÉREZ, ANA MARÍA"));
    painter.drawText(QPointF(1600, 1300), QStringLiteral("Fechas: 01/01/2020 31/12/2024"));
    for (int band = 0; band < 8; ++band) {
        const double top = 1700 + band * 1050;
        painter.setFont(QFont("Courier New", 9));
        painter.drawLine(QLineF(500, top, 7500, top));
        painter.drawText(QPointF(600, top + 180),
            QStringLiteral("Fecha: %1/03/2023  Edad:   2a   3m  %2d  Peso: 12.%3  Altura:  88.5  PC: 48.0")
                .arg(band + 10)
                .arg(number % 28)
                .arg(band * 37 % 1000, 3, 10, QLatin1Char('0')));
        painter.drawText(
            QPointF(600, top + 340), QStringLiteral("Temp: 37.5  FC: 110  FR:  28  TA:  90 - 60"));
        painter.setFont(QFont("Arial", 8));
        painter.drawText(QRectF(600, top + 400, 3300, 500), Qt::AlignLeft | Qt::TextWordWrap,
            QStringLiteral(
                "Sintomatología: fiebre de dos días, tos seca, rinorrea; sin dificultad respiratoria."));
        painter.drawText(QRectF(4000, top + 400, 3400, 500), Qt::AlignLeft | Qt::TextWordWrap,
            QStringLiteral("Medicación: paracetamol 10 mg/kg cada 6 horas; lavados nasales."));
        painter.drawText(QPointF(600, top + 980), QStringLiteral("Diagnóstico confirmado: BRONQUIOLITIS"));
    }
    painter.setFont(QFont("Courier New", 8));
    painter.drawText(QPointF(3500, 10700), reports::kPagePlaceholder);
    return page;
}

std::vector<views::ReportPage> reportPages()
{
    std::vector<views::ReportPage> pages;
    pages.reserve(kPages);
    for (int n = 1; n <= kPages; ++n)
        pages.push_back(consultationPage(n));
    return pages;
}

// The preview's canvas at a maximised window's size, drawn as the screen shows it.
struct Preview {
    explicit Preview(std::vector<views::ReportPage> pages)
        : state(std::move(pages))
        , canvas(state)
    {
        canvas.resize(1000, 680);
    }
    void shown()
    {
        canvas.refresh();
        benchmark::DoNotOptimize(canvas.grab());
    }
    reports::PreviewState state;
    reports::PreviewCanvasWidget canvas;
};

void RecordPages(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(reportPages());
    state.counters["bytes per page"] = double(consultationPage(1).metafile().size());
}

void FirstPageShown(benchmark::State& state)
{
    const std::vector<views::ReportPage> pages = reportPages();
    for (auto _ : state) {
        std::vector<views::ReportPage> handed = pages;
        const Clock::time_point start = Clock::now();
        reports::numberPages(handed);
        Preview preview(std::move(handed));
        preview.shown();
        bench::seconds(state, start);
    }
}

// Each iteration shows a page not drawn before: on through the report.
void NextPage(benchmark::State& state)
{
    Preview preview(reportPages());
    preview.shown();
    for (auto _ : state) {
        if (preview.state.current() == kPages)
            preview.state.first();
        const Clock::time_point start = Clock::now();
        preview.state.next();
        preview.shown();
        bench::seconds(state, start);
    }
}

void Zoom(benchmark::State& state)
{
    Preview preview(reportPages());
    preview.shown();
    const QString zooms[] = { QStringLiteral("Zoom (200%)"), QStringLiteral("Zoom (75%)"),
        QStringLiteral("Page Width"), QStringLiteral("Zoom (300%)"), QStringLiteral("Zoom (50%)") };
    int i = 0;
    for (auto _ : state) {
        // Another page each round, so no zoom is drawn from a kept picture.
        if (i % 5 == 0)
            preview.state.jump(1 + (i / 5) % kPages);
        const Clock::time_point start = Clock::now();
        preview.state.setZoom(zooms[i++ % 5]);
        preview.shown();
        bench::seconds(state, start);
    }
}

void ThumbnailGrid(benchmark::State& state)
{
    Preview preview(reportPages());
    preview.state.setZoom(reports::kNoZoom);
    preview.state.setGrid(4, 3);
    for (auto _ : state) {
        // Twelve pages not drawn before, each iteration.
        preview.canvas.forgetPictures();
        const Clock::time_point start = Clock::now();
        if (!preview.state.canGoNext())
            preview.state.first();
        else
            preview.state.next();
        preview.shown();
        bench::seconds(state, start);
    }
}

void ExportAllPages(benchmark::State& state)
{
    std::vector<views::ReportPage> pages = reportPages();
    reports::numberPages(pages);
    qint64 size = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        for (const views::ReportPage& page : pages)
            reports::appendPageText(file, page.metafile());
        size = file.size();
        bench::seconds(state, start);
    }
    state.counters["text bytes"] = double(size);
}

BENCHMARK(RecordPages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(FirstPageShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(NextPage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(Zoom)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);
BENCHMARK(ThumbnailGrid)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(ExportAllPages)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
