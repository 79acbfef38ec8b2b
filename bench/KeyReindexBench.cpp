// The one-time re-index of a practice whose files were written before keys followed the Spanish
// alphabet: the generated practice (100,000 patients, 1,000,000 consultations, 500,000
// pathologies; see GeneratedPractice.h) with its keys put back as the first files defined them,
// then opened. Goal: the whole practice re-indexed within the time a station waits for a lock
// before it gives up (two seconds, then ten), and opening it again as cheap as before. Also what
// an index costs to build in the key order against the first files' order.
#include "GeneratedPractice.h"

#include "data/KeyCollation.h"
#include "data/SqlSchema.h"
#include "data/SqliteConnection.h"

#include <benchmark/benchmark.h>

namespace {

using namespace nidora;
using namespace nidora::bench;
using data::FileId;

constexpr FileId kReindexed[] = { FileId::PACIENTES, FileId::CONSULTAS, FileId::ENFERMEDADES };

// Puts every key of a file back as the first files defined and ordered it.
void toFirstOrder(FileId id)
{
    const data::FileDesc& desc = data::fileDesc(id);
    data::sql::Connection raw(desc.fileName(), false, false);
    data::registerKeyCollation(raw.handle());
    const data::SqlSchema schema(desc);
    QByteArray sql = "BEGIN";
    for (std::size_t k = 0; k < desc.keys.size(); ++k) {
        if (schema.createIndex(int(k)) != schema.createIndexInFirstOrder(int(k)))
            sql += "; DROP INDEX " + data::sql::quoted(desc.keys[k].name) + "; "
                + schema.createIndexInFirstOrder(int(k));
    }
    if (!raw.exec(sql + "; COMMIT"))
        std::abort();
}

void open(FileId id)
{
    if (!data::DataFile::open(data::fileDesc(id)).outcome.ok())
        std::abort();
}

void ReindexOnFirstOpen(benchmark::State& state)
{
    const FileId id = kReindexed[state.range(0)];
    closedPractice();
    for (auto _ : state) {
        state.PauseTiming();
        toFirstOrder(id);
        state.ResumeTiming();
        open(id);
    }
    state.SetLabel(data::fileDesc(id).label.toStdString());
}
BENCHMARK(ReindexOnFirstOpen)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(2);

void OpenAgain(benchmark::State& state)
{
    const FileId id = kReindexed[state.range(0)];
    closedPractice();
    open(id);
    for (auto _ : state)
        open(id);
    state.SetLabel(data::fileDesc(id).label.toStdString());
}
BENCHMARK(OpenAgain)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Building the patients' name index (100,000 names) in either order, rolled back: what the key
// order costs against the first files' order where comparisons count most.
void BuildNameIndex(benchmark::State& state, const char* collation)
{
    closedPractice();
    data::sql::Connection raw(data::fileDesc(FileId::PACIENTES).fileName(), false, false);
    data::registerKeyCollation(raw.handle());
    for (auto _ : state) {
        if (!raw.exec(
                QByteArray("BEGIN; CREATE INDEX measured ON records (\"NOMBRE\" COLLATE ") + collation + ")"))
            std::abort();
        state.PauseTiming();
        raw.exec("ROLLBACK");
        state.ResumeTiming();
    }
}

void BuildNameIndexInKeyOrder(benchmark::State& state)
{
    BuildNameIndex(state, data::kKeyCollation);
}
BENCHMARK(BuildNameIndexInKeyOrder)->Unit(benchmark::kMillisecond)->Iterations(5);

void BuildNameIndexInFirstOrder(benchmark::State& state)
{
    BuildNameIndex(state, data::kColumnCollation);
}
BENCHMARK(BuildNameIndexInFirstOrder)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
