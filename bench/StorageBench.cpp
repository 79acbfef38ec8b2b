// The data files of a large practice: 100,000 patients, 1,000,000 consultations and 500,000
// pathologies. Goals: buffered inserts at 100,000 records a second or more; one record by a
// unique key, and the next page of 50 rows in key order from any position, under 1 ms each.
// The size on disk per consultation is printed as a counter for comparison with the 172-byte
// record and its memos.
#include "GeneratedPractice.h"

#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace nidora;
using namespace nidora::bench;
using data::FileId;
using Practice = GeneratedPractice;

Practice& practice()
{
    static Practice shared;
    return shared;
}

void BufferedInsertOfConsultations(benchmark::State& state)
{
    practice();
    const data::FileDesc& desc = data::fileDesc(FileId::CONSULTAS);
    const QString name = data::DataFile::copyFileName(desc, 99);
    std::int32_t inserted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        data::DataFile::removeFile(name);
        data::OpenOptions options;
        options.fileName = name;
        auto opened = data::DataFile::open(desc, data::OpenMode::ReadWrite, options);
        state.ResumeTiming();
        opened.file->beginBuffered();
        for (std::int32_t code = 1; code <= 100'000; ++code)
            opened.file->add(consultation(code));
        opened.file->flush();
        inserted += 100'000;
    }
    data::DataFile::removeFile(name);
    state.SetItemsProcessed(inserted);
}
BENCHMARK(BufferedInsertOfConsultations)->Unit(benchmark::kMillisecond)->Iterations(3);

void FetchByUniqueKey(benchmark::State& state)
{
    data::DataFile& file = *practice().consultations;
    const data::KeyDesc& key = keyNamed(file.desc(), "CON:KCODIGO");
    std::mt19937 random(7);
    data::CONSULTAS record;
    for (auto _ : state) {
        const std::int64_t code = 1 + random() % kConsultations;
        if (!file.fetch(key, { code }, record).ok())
            state.SkipWithError("record not found");
    }
}
BENCHMARK(FetchByUniqueKey)->Unit(benchmark::kMicrosecond);

void NextPageOf50InKeyOrder(benchmark::State& state)
{
    data::DataFile& file = *practice().consultations;
    const data::KeyDesc& key = keyNamed(file.desc(), "CON:KPACIENTE");
    std::mt19937 random(11);
    int rows = 0;
    for (auto _ : state) {
        const data::Position from { { std::int64_t(1 + random() % kPatients) }, 0 };
        file.page(&key, from, data::Direction::Forward, 50,
            [&](const data::RecordRef&, const data::Record&) { ++rows; });
    }
    benchmark::DoNotOptimize(rows);
}
BENCHMARK(NextPageOf50InKeyOrder)->Unit(benchmark::kMicrosecond);

void BytesOnDiskPerConsultation(benchmark::State& state)
{
    data::DataFile& file = *practice().consultations;
    for (auto _ : state)
        benchmark::DoNotOptimize(QFileInfo(file.path()).size());
    state.counters["bytes_per_record"] = double(QFileInfo(file.path()).size()) / kConsultations;
}
BENCHMARK(BytesOnDiskPerConsultation)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
