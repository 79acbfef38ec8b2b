// The data files of a large practice: 100,000 patients, 1,000,000 consultations and 500,000
// pathologies. Goals: buffered inserts at 100,000 records a second or more; one record by a
// unique key, and the next page of 50 rows in key order from any position, under 1 ms each.
// The size on disk per consultation is printed as a counter for comparison with the 172-byte
// record and its memos.
#include "data/Catalogue.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/PatientRecords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>

namespace {

using namespace nidora;
using data::FileId;

constexpr std::int32_t kPatients = 100'000;
constexpr std::int32_t kConsultations = 1'000'000;
constexpr std::int32_t kPathologies = 500'000;
const char* const kReasons[] = { "CONTROL", "GRIPE", "FIEBRE", "ANGINAS", "BRONQUITIS", "OTITIS", "VACUNA" };
const char* const kNames[] = { "GARCIA", "LOPEZ", "MARTINEZ", "PEREZ", "GOMEZ", "DIAZ", "ÁLVAREZ", "MUÑOZ" };

const data::KeyDesc& keyNamed(const data::FileDesc& file, const char* name)
{
    for (const data::KeyDesc& key : file.keys)
        if (key.name == QLatin1String(name))
            return key;
    std::abort();
}

data::CONSULTAS consultation(std::int32_t code)
{
    data::CONSULTAS c;
    c.CODIGO = code;
    c.PACIENTE = 1 + code % kPatients;
    c.FECHA = 70'000 + code % 9'000;
    c.MOTIVO = QString::fromLatin1(kReasons[code % 7]);
    c.DIAGNOSTICOP = QStringLiteral("Evolución favorable");
    c.PESO = 3'000 + code % 40'000;
    c.MEDICO = std::uint8_t(1 + code % 4);
    return c;
}

// Fills a file in buffered mode with `count` records made by `make`, printing the rate.
template <class Make>
std::unique_ptr<data::DataFile> fill(FileId id, std::int32_t count, Make make, const char* what)
{
    auto opened = data::DataFile::open(data::fileDesc(id));
    if (!opened.outcome.ok())
        std::abort();
    QElapsedTimer clock;
    clock.start();
    opened.file->beginBuffered();
    for (std::int32_t i = 1; i <= count; ++i)
        opened.file->add(make(i));
    opened.file->flush();
    std::printf("generated %d %s in %.1f s (%.0f records/s)\n", count, what, clock.elapsed() / 1000.0,
                count * 1000.0 / double(std::max<qint64>(1, clock.elapsed())));
    return std::move(opened.file);
}

// One practice for every benchmark, generated once in a scratch folder.
struct Practice {
    Practice()
    {
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        patients = fill(FileId::PACIENTES, kPatients, [](std::int32_t code) {
            data::PACIENTES p;
            p.CODIGO = code;
            p.NOMBRE = QString::fromUtf8(kNames[code % 8]) + QStringLiteral(" ") + QString::number(code);
            p.SEXO = code % 2 ? QStringLiteral("F") : QStringLiteral("M");
            p.FNACIMIENTO = 80'000 + code % 6'000;
            p.MADRE = QStringLiteral("MADRE ") + QString::number(code / 2);
            return p;
        }, "patients");
        consultations = fill(FileId::CONSULTAS, kConsultations, consultation, "consultations");
        pathologies = fill(FileId::ENFERMEDADES, kPathologies, [](std::int32_t i) {
            data::ENFERMEDADES e;
            e.PACIENTE = 1 + i % kPatients;
            e.FECHA = 70'000 + i % 9'000;
            e.ENFERMEDAD = QString::fromLatin1(kReasons[i % 7]);
            return e;
        }, "pathologies");
    }
    ~Practice() { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
    std::unique_ptr<data::DataFile> patients;
    std::unique_ptr<data::DataFile> consultations;
    std::unique_ptr<data::DataFile> pathologies;
};

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
        file.page(&key, from, data::Direction::Forward, 50, [&](const data::RecordRef&, const data::Record&) { ++rows; });
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
