// Record handling through one thread's access and relation objects on a large practice (see
// GeneratedPractice.h), every write committed on its own as a form's would be. Goals: priming and
// inserting a patient or a consultation under 2 ms each; deleting a patient with 200
// consultations and 400 studies under 50 ms; renaming a health-coverage provider named by
// 10,000 patients and 10,000 mothers under 1 s.
#include "GeneratedPractice.h"

#include "core/ErrorManager.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace nidora;
using namespace nidora::bench;
using data::AccessResult;
using data::FileId;

constexpr std::int32_t kMothers = 50'000; // every fifth covered by the provider
constexpr std::int32_t kDoomedConsultations = 200;
constexpr std::int32_t kStudiesPerConsultation = 2;

struct AccessPractice : PracticeWithData {
    AccessPractice()
    {
        fill(
            FileId::MADRES, kMothers,
            [](std::int32_t i) {
                data::MADRES m;
                m.NOMBRE = QStringLiteral("MADRE ") + QString::number(i);
                if (i % 5 == 0)
                    m.OBRASOCIAL = QString::fromLatin1(kProvider);
                return m;
            },
            "mothers");
        fill(
            FileId::OBRASSOCIALES, 1,
            [](std::int32_t) {
                data::OBRASSOCIALES o;
                o.NOMBRE = QString::fromLatin1(kProvider);
                return o;
            },
            "providers");
        if (dictionary->relation(FileId::PACIENTES).open() != AccessResult::Ok
            || dictionary->relation(FileId::OBRASSOCIALES).open() != AccessResult::Ok)
            std::abort();
    }

    // A patient with his consultations and their studies, written in one buffered pass as a
    // fixture; the patient is left in the thread's buffer as read, ready to be deleted.
    void layOutPatientToDelete(std::int32_t code, std::int32_t firstConsultation)
    {
        auto patients = data::DataFile::open(data::fileDesc(FileId::PACIENTES));
        auto consultations = data::DataFile::open(data::fileDesc(FileId::CONSULTAS));
        auto studies = data::DataFile::open(data::fileDesc(FileId::ANALISIS));
        patients.file->add(patient(code));
        consultations.file->beginBuffered();
        studies.file->beginBuffered();
        for (std::int32_t k = 0; k < kDoomedConsultations; ++k) {
            data::CONSULTAS c = consultation(firstConsultation + k);
            c.PACIENTE = code;
            consultations.file->add(c);
            for (std::int32_t s = 0; s < kStudiesPerConsultation; ++s) {
                data::ANALISIS a;
                a.CONSULTA = c.CODIGO;
                a.PACIENTE = code;
                a.FECHA = c.FECHA;
                a.ANALISIS_ = QStringLiteral("ESTUDIO ") + QString::number(s);
                studies.file->add(a);
            }
        }
        consultations.file->flush();
        studies.file->flush();
        data::AccessObject& access = dictionary->access(FileId::PACIENTES);
        dictionary->buffer<data::PACIENTES>().CODIGO = code;
        if (access.fetch(access.key("PAC:KCODIGO")) != AccessResult::Ok)
            std::abort();
    }
};

AccessPractice& practice()
{
    static AccessPractice shared;
    return shared;
}

void PrimeAndInsertPatient(benchmark::State& state)
{
    data::Dictionary& data = *practice().dictionary;
    data::AccessObject& patients = data.access(FileId::PACIENTES);
    for (auto _ : state) {
        if (patients.prime() != AccessResult::Ok)
            state.SkipWithError("priming failed");
        data.buffer<data::PACIENTES>().NOMBRE = QStringLiteral("NUEVO");
        if (patients.insert() != AccessResult::Ok)
            state.SkipWithError("insert failed");
    }
}
BENCHMARK(PrimeAndInsertPatient)->Unit(benchmark::kMillisecond);

void PrimeAndInsertConsultation(benchmark::State& state)
{
    data::Dictionary& data = *practice().dictionary;
    data::AccessObject& consultations = data.access(FileId::CONSULTAS);
    std::mt19937 random(3);
    for (auto _ : state) {
        if (consultations.prime() != AccessResult::Ok)
            state.SkipWithError("priming failed");
        data::CONSULTAS& c = data.buffer<data::CONSULTAS>();
        c.PACIENTE = std::int32_t(1 + random() % kPatients);
        c.FECHA = 80'000;
        c.MOTIVO = QStringLiteral("CONTROL");
        if (consultations.insert() != AccessResult::Ok)
            state.SkipWithError("insert failed");
    }
}
BENCHMARK(PrimeAndInsertConsultation)->Unit(benchmark::kMillisecond);

void DeletePatientWithHisHistory(benchmark::State& state)
{
    AccessPractice& p = practice();
    std::int32_t code = 900'000;
    std::int32_t firstConsultation = 5'000'000;
    for (auto _ : state) {
        state.PauseTiming();
        p.layOutPatientToDelete(++code, firstConsultation);
        firstConsultation += kDoomedConsultations;
        state.ResumeTiming();
        if (p.dictionary->relation(FileId::PACIENTES).deleteRecord() != AccessResult::Ok)
            state.SkipWithError("delete failed");
    }
}
BENCHMARK(DeletePatientWithHisHistory)->Unit(benchmark::kMillisecond)->Iterations(20);

void RenameProviderOf20000(benchmark::State& state)
{
    data::Dictionary& data = *practice().dictionary;
    data::AccessObject& providers = data.access(FileId::OBRASSOCIALES);
    QString name = QString::fromLatin1(kProvider);
    data.buffer<data::OBRASSOCIALES>().NOMBRE = name;
    if (providers.fetch(providers.key("OBR:KNOMBRE")) != AccessResult::Ok)
        state.SkipWithError("no provider");
    for (auto _ : state) {
        name = name == QLatin1String(kProvider) ? QStringLiteral("COBERTURA B")
                                                : QString::fromLatin1(kProvider);
        data.buffer<data::OBRASSOCIALES>().NOMBRE = name;
        if (data.relation(FileId::OBRASSOCIALES).change() != AccessResult::Ok)
            state.SkipWithError("rename failed");
    }
}
BENCHMARK(RenameProviderOf20000)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

BENCHMARK_MAIN();
