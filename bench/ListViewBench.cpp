// A list must open, locate and change tabs as quickly over a million consultations as over a
// hundred: it reads pages of its key, never the file. Goals: first page under 100 ms, a
// locator keystroke under 30 ms.
#include "data/ClinicalRecords.h"
#include "data/Dictionary.h"
#include "framework/ErrorManager.h"
#include "views/ListView.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace nidora;
using data::CONSULTAS;
using data::FileId;

constexpr std::int32_t kRows = 1'000'000;
const char* const kReasons[] = { "CONTROL", "GRIPE", "FIEBRE", "ANGINAS", "BRONQUITIS", "OTITIS", "VACUNA" };

// One practice for every benchmark: the scratch folder and its million consultations are made
// once, in buffered mode (one transaction).
struct Practice {
    Practice()
    {
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        auto opened = data::DataFile::open(data::fileDesc(FileId::CONSULTAS));
        data::DataFile& file = *opened.file;
        file.beginBuffered();
        for (std::int32_t code = 1; code <= kRows; ++code) {
            CONSULTAS c;
            c.CODIGO = code;
            c.PACIENTE = 1 + code % 20'000;
            c.FECHA = 70'000 + code % 9'000;
            c.MOTIVO = QString::fromLatin1(kReasons[code % 7]) + QString::number(code % 1000);
            c.MEDICO = std::uint8_t(1 + code % 4);
            file.add(c);
        }
        file.flush();
        data::DataFile::createEmpty(data::fileDesc(FileId::TABENFERMED));
        dictionary = std::make_unique<data::Dictionary>(errors);
        dictionary->access(FileId::CONSULTAS).open();
    }
    ~Practice()
    {
        dictionary.reset();
        QDir::setCurrent(previous);
    }
    std::vector<views::SortOrder> orders()
    {
        data::AccessObject& access = dictionary->access(FileId::CONSULTAS);
        return { { &access.key("CON:KPACIENTE"), views::LocatorKind::Incremental, "Paciente" },
            { &access.key("CON:KMOTIVO"), views::LocatorKind::Incremental, "Motivo" } };
    }

    QTemporaryDir folder;
    QString previous;
    framework::ErrorManager errors;
    std::unique_ptr<data::Dictionary> dictionary;
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
        views::ListView view(p.dictionary->access(FileId::CONSULTAS), p.orders());
        view.open();
        benchmark::DoNotOptimize(view.highlighted());
    }
}
BENCHMARK(OpenToFirstPage)->Unit(benchmark::kMillisecond);

void LocatorKeystroke(benchmark::State& state)
{
    Practice& p = practice();
    views::ListView view(p.dictionary->access(FileId::CONSULTAS), p.orders());
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
    views::ListView view(p.dictionary->access(FileId::CONSULTAS), p.orders());
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
    views::ListView view(p.dictionary->access(FileId::CONSULTAS), p.orders());
    view.open();
    for (auto _ : state)
        view.move(views::ListMove::PageDown);
}
BENCHMARK(PageDown)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
