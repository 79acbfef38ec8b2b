// The patient list over a large practice (bench/GeneratedPractice.h: 100,000 patients) must
// open, change tabs and follow a locator keystroke each in under 100 ms, measured through the
// real window on its own logical thread: from the start of its procedure to its first page
// painted, from a tab clicked to the new order painted, and from a key pressed to the moved
// highlight painted.
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "clinical/BrowsePACIENTES.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

#include <benchmark/benchmark.h>

namespace {

using namespace nidora;

bench::GeneratedPractice& practice()
{
    static bench::GeneratedPractice shared;
    return shared;
}

QWidget* shownWidget(const QString& name)
{
    for (QWidget* each : QApplication::allWidgets())
        if (each->objectName() == name && each->isVisible() && each->window()->windowTitle() == "Pacientes")
            return each;
    return nullptr;
}

// One patient list on a logical thread of its own, for as long as the object lives.
struct OpenList {
    void press(Qt::Key key, const QString& text)
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(table, &down);
        window.settle();
    }
    void chooseTab(int tab)
    {
        static_cast<QTabWidget*>(shownWidget(QStringLiteral("?CURRENTTAB")))->setCurrentIndex(tab);
        window.settle();
    }

    bench::WindowOnThread window { [] { clinical::BrowsePACIENTES(); }, 50'000,
        []() -> QWidget* {
            auto* shown = static_cast<QAbstractItemView*>(shownWidget(QStringLiteral("?BROWSE:1")));
            return shown && shown->model()->rowCount() > 0 ? shown : nullptr;
        } };
    QAbstractItemView* table = static_cast<QAbstractItemView*>(window.widget());
};

void PatientListToFirstPage(benchmark::State& state)
{
    practice();
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        OpenList list;
        bench::seconds(state, start);
    }
}
BENCHMARK(PatientListToFirstPage)->UseManualTime()->Unit(benchmark::kMillisecond);

// Round the five tabs, one switch an iteration.
void PatientListTabSwitch(benchmark::State& state)
{
    practice();
    OpenList list;
    int tab = 0;
    for (auto _ : state) {
        tab = (tab + 1) % 5;
        const bench::Clock::time_point start = bench::Clock::now();
        list.chooseTab(tab);
        bench::seconds(state, start);
    }
}
BENCHMARK(PatientListTabSwitch)->UseManualTime()->Unit(benchmark::kMillisecond);

// Under "Indice x Nombre": a letter typed, then taken back, each a keystroke that moves the
// highlight.
void PatientListLocatorKeystroke(benchmark::State& state)
{
    practice();
    OpenList list;
    bench::typeAndTakeBack(state, Qt::Key_G, QStringLiteral("g"),
        [&](Qt::Key key, const QString& text) { list.press(key, text); });
}
BENCHMARK(PatientListLocatorKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
