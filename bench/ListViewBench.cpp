// A list must open, locate and change tabs as quickly over a million consultations as over a
// hundred: it reads pages of its key, never the file. Goals: first page under 100 ms, a
// locator keystroke under 30 ms, both for the data side alone and through a list window (from
// the start of its procedure to its first page painted; from a key press to the moved
// highlight painted).
#include "GeneratedPractice.h"
#include "WindowBench.h"

#include "core/ErrorManager.h"
#include "data/ClinicalRecords.h"
#include "data/Dictionary.h"
#include "framework/Scheduler.h"
#include "views/ListWindow.h"
#include "views/PagingCursor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace nidora;
using data::FileId;

// The generated practice, with the consultations open through an access object of its own.
struct Practice : bench::PracticeWithData {
    Practice() { dictionary->access(FileId::CONSULTAS).open(); }
    std::vector<views::SortOrder> orders()
    {
        data::AccessObject& access = dictionary->access(FileId::CONSULTAS);
        return { { &access.key("CON:KPACIENTE"), views::LocatorKind::Incremental, "Paciente" },
            { &access.key("CON:KMOTIVO"), views::LocatorKind::Incremental, "Motivo" } };
    }
};

Practice& practice()
{
    static Practice shared;
    return shared;
}

void OpenToFirstPage(benchmark::State& state)
{
    Practice& p = practice();
    for (auto _ : state) {
        views::PagingCursor view(p.dictionary->access(FileId::CONSULTAS), p.orders());
        view.open();
        benchmark::DoNotOptimize(view.highlighted());
    }
}
BENCHMARK(OpenToFirstPage)->Unit(benchmark::kMillisecond);

void LocatorKeystroke(benchmark::State& state)
{
    Practice& p = practice();
    views::PagingCursor view(p.dictionary->access(FileId::CONSULTAS), p.orders());
    view.switchOrder(1);
    view.open();
    view.type(u'g');
    view.type(u'r');
    for (auto _ : state) {
        // One keystroke each: a character typed, then taken back.
        view.type(u'i');
        view.backspace();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(LocatorKeystroke)->Unit(benchmark::kMillisecond);

void TabSwitch(benchmark::State& state)
{
    Practice& p = practice();
    views::PagingCursor view(p.dictionary->access(FileId::CONSULTAS), p.orders());
    view.open();
    view.move(views::ListMove::PageDown);
    int order = 0;
    for (auto _ : state) {
        order = 1 - order;
        view.switchOrder(order);
    }
}
BENCHMARK(TabSwitch)->Unit(benchmark::kMillisecond);

void PageDown(benchmark::State& state)
{
    Practice& p = practice();
    views::PagingCursor view(p.dictionary->access(FileId::CONSULTAS), p.orders());
    view.open();
    for (auto _ : state)
        view.move(views::ListMove::PageDown);
}
BENCHMARK(PageDown)->Unit(benchmark::kMillisecond);

// The scroll bar's thumb dragged along a million rows: each step reads the page at the key the
// thumb's place estimates. Goal: under 30 ms a step, as a locator keystroke.
void ThumbDragged(benchmark::State& state)
{
    Practice& p = practice();
    views::PagingCursor view(p.dictionary->access(FileId::CONSULTAS), p.orders());
    view.open();
    const int maximum = view.scrollBar().maximum;
    int step = 0;
    for (auto _ : state) {
        step = (step + 7) % 100;
        view.scrollTo(1 + maximum * step / 100);
        benchmark::DoNotOptimize(view.highlighted());
    }
}
BENCHMARK(ThumbDragged)->Unit(benchmark::kMillisecond);

// The consultations as a list procedure shows them: two tabs, three columns.
class ConsultationList final : public views::ListWindow {
public:
    ConsultationList()
        : ListWindow(QStringLiteral("Bench:Consultas"), FileId::CONSULTAS)
    {
        setCaption(QStringLiteral("Consultas"));
        setSize(300, 200);
        addList(QStringLiteral("?BROWSE:1"), { 4, 20, 292, 150 },
            { { &key("CON:KPACIENTE"), views::LocatorKind::Incremental, QStringLiteral("Paciente") },
                { &key("CON:KMOTIVO"), views::LocatorKind::Incremental, QStringLiteral("Motivo") } },
            { views::fieldColumn(field("CON:PACIENTE"), QStringLiteral("Paciente")),
                views::fieldColumn(field("CON:FECHA"), QStringLiteral("Fecha"), QStringLiteral("@d6")),
                views::fieldColumn(field("CON:MOTIVO"), QStringLiteral("Motivo")) });
        addTabs(QStringLiteral("?CURRENTTAB"), { 2, 2, 296, 172 });
    }
};

// One list window on a logical thread of its own, for as long as the object lives.
struct OpenList {
    OpenList()
    {
        thread = framework::StartOnNewThread(
            [this] {
                ConsultationList list;
                window = &list;
                list.run();
                window = nullptr;
            },
            25'000);
        while (!shown())
            QCoreApplication::processEvents();
        table()->repaint();
    }
    ~OpenList()
    {
        window->requestClose();
        while (framework::Scheduler::instance()->find(thread))
            QCoreApplication::processEvents();
    }
    QAbstractItemView* table() const { return static_cast<QAbstractItemView*>(window->list().widget()); }
    bool shown() const { return window && table()->isVisible() && table()->model()->rowCount() > 0; }
    // A key pressed on the list, until the list has taken it and painted the page again.
    void press(Qt::Key key, const QString& text)
    {
        const QString before = window->list().view().locatorText();
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(table(), &down);
        while (window->list().view().locatorText() == before)
            QCoreApplication::processEvents();
        table()->repaint();
    }

    void chooseTab(int tab)
    {
        static_cast<QTabWidget*>(window->control(QStringLiteral("?CURRENTTAB"))->widget())
            ->setCurrentIndex(tab);
        while (window->list().view().order() != tab)
            QCoreApplication::processEvents();
    }

    int thread = 0;
    ConsultationList* window = nullptr;
};

void ListWindowToFirstPage(benchmark::State& state)
{
    practice();
    for (auto _ : state) {
        const bench::Clock::time_point start = bench::Clock::now();
        OpenList list;
        bench::seconds(state, start);
    }
}
BENCHMARK(ListWindowToFirstPage)->UseManualTime()->Unit(benchmark::kMillisecond);

void ListWindowLocatorKeystroke(benchmark::State& state)
{
    practice();
    OpenList list;
    list.chooseTab(1);
    list.press(Qt::Key_G, QStringLiteral("g"));
    list.press(Qt::Key_R, QStringLiteral("r"));
    bench::typeAndTakeBack(state, Qt::Key_I, QStringLiteral("i"),
        [&](Qt::Key key, const QString& text) { list.press(key, text); });
}
BENCHMARK(ListWindowLocatorKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return nidora::bench::runWindowBenchmarks(argc, argv);
}
