// The reference tables' window must switch from one table to another under 50 ms with 10,000
// rows in each of its five tables: a page that comes up reads its list again, a page of rows
// by key seek, never the table. Timed from the task's choice (the sheet's page set, as the
// panel sets it) to the list read again and painted.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "data/ReferenceRecords.h"
#include "framework/Window.h"
#include "practice/ReferenceTables.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

namespace {

using namespace nidora;
using data::FileId;

constexpr std::int32_t kRows = 10'000;

QString numbered(const char* text, std::int32_t i)
{
    return QString::fromLatin1(text) + QString::number(i).rightJustified(5, QLatin1Char('0'));
}

// Five full tables in a scratch folder made the working directory.
struct FullTables {
    FullTables()
    {
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        bench::fill(
            FileId::MOTIVOS, kRows,
            [](std::int32_t i) {
                data::MOTIVOS r;
                r.MOTIVO = numbered("MOTIVO ", i);
                return r;
            },
            "reasons");
        bench::fill(
            FileId::OBRASSOCIALES, kRows,
            [](std::int32_t i) {
                data::OBRASSOCIALES r;
                r.NOMBRE = numbered("COBERTURA ", i);
                return r;
            },
            "coverages");
        bench::fill(
            FileId::PLANVACUNACION, kRows,
            [](std::int32_t i) {
                data::PLANVACUNACION r;
                r.CODIGO = QString(QChar(u'A' + i % 10));
                r.ANIOS = std::uint8_t(i % 15);
                r.MESES = std::uint8_t(i % 12);
                r.VACUNA = numbered("VACUNA ", i);
                r.DOSIS = QStringLiteral("1ra");
                return r;
            },
            "plan doses");
        // The pathology table is never made when missing.
        data::DataFile::createEmpty(data::fileDesc(FileId::TABENFERMED));
        bench::fill(
            FileId::TABENFERMED, kRows,
            [](std::int32_t i) {
                data::TABENFERMED r;
                r.NOMBRE = numbered("PATOLOGIA ", i);
                r.CARACTERISTICAS = QStringLiteral("Notas de la patología, ").repeated(20);
                return r;
            },
            "pathologies");
        bench::fill(
            FileId::TABCRECIMIENTO, kRows,
            [](std::int32_t i) {
                data::TABCRECIMIENTO r;
                r.EDAD = std::int16_t(i);
                for (auto& percentile : r.PESOS)
                    percentile = { 3'000 + i, 2'900 + i };
                return r;
            },
            "growth rows");
    }
    ~FullTables() { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
};

// Tablas on a logical thread of its own, for as long as the object lives.
struct OpenTables {
    OpenTables()
    {
        thread = framework::StartOnNewThread(
            [this] {
                practice::Tablas();
                ended = true;
            },
            50'000);
        while (!sheet())
            QCoreApplication::processEvents();
        for (int page = 0; page < 5; ++page)
            lists[std::size_t(page)]
                = static_cast<QAbstractItemView*>(sheet()->widget(page)->findChild<QAbstractItemView*>());
        while (lists[0]->model()->rowCount() == 0)
            QCoreApplication::processEvents();
    }
    ~OpenTables()
    {
        sheet()->window()->close();
        while (!ended)
            QCoreApplication::processEvents();
    }
    QTabWidget* sheet() const
    {
        for (QWidget* top : QApplication::allWidgets())
            if (top->objectName() == QLatin1String("?SHEET2") && top->isVisible())
                return static_cast<QTabWidget*>(top);
        return nullptr;
    }
    // A table chosen, until its list has read its rows again and painted them.
    void show(int page)
    {
        if (sheet()->currentIndex() == page)
            return; // shown already: nothing is read again
        QAbstractItemView* list = lists[std::size_t(page)];
        bool read = false;
        const QMetaObject::Connection watch
            = QObject::connect(list->model(), &QAbstractItemModel::modelReset, [&read] { read = true; });
        sheet()->setCurrentIndex(page);
        while (!read)
            QCoreApplication::processEvents();
        QObject::disconnect(watch);
        list->repaint();
    }

    int thread = 0;
    bool ended = false;
    std::array<QAbstractItemView*, 5> lists {};
};

// Coming to one table (the argument: 0 reasons ... 4 growth values) from the next one.
void TablasPageSwitch(benchmark::State& state)
{
    static FullTables tables;
    OpenTables open;
    const int page = int(state.range(0));
    for (auto _ : state) {
        open.show((page + 1) % 5);
        const bench::Clock::time_point start = bench::Clock::now();
        open.show(page);
        bench::seconds(state, start);
    }
}
BENCHMARK(TablasPageSwitch)->DenseRange(0, 4)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
