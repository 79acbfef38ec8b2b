// Record handling through one thread's access and relation objects on a large practice (see
// GeneratedPractice.h), every write committed on its own as a form's would be. Beside each, its
// ...Raw twin does the same work on the same files with hand-written SQLite statements in one
// transaction: the storage's own cost, which ours should stay near. Goals: priming and
// inserting a patient within 1.3 times its twin; deleting a patient with 200 consultations and
// 400 studies, and renaming a health-coverage provider named by 10,000 patients and 10,000
// mothers, each within 1.5 times its twin.
#include "GeneratedPractice.h"

#include "core/ErrorManager.h"
#include "data/Dictionary.h"
#include "data/KeyCollation.h"
#include "data/ReferenceRecords.h"
#include "data/SqlSchema.h"
#include "data/SqliteConnection.h"

#include <benchmark/benchmark.h>

#include <random>
#include <tuple>
#include <utility>

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

// One connection to the practice's files, attached under their labels as a transaction over
// several files has them, for the raw twins.
class RawFiles {
public:
    RawFiles()
        : connection_(
            QDir::current().absoluteFilePath(data::fileDesc(FileId::PACIENTES).fileName()), false, false)
    {
        if (!data::registerKeyCollation(connection_.handle()))
            std::abort();
        connection_.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
        for (FileId id : { FileId::MADRES, FileId::OBRASSOCIALES, FileId::CONSULTAS, FileId::ANALISIS,
                 FileId::FOTOS, FileId::NOTASIMPO, FileId::ENFERMEDADES, FileId::VACUNACION }) {
            const data::FileDesc& file = data::fileDesc(id);
            run("ATTACH DATABASE '" + QDir::current().absoluteFilePath(file.fileName()).toUtf8() + "' AS "
                + file.label.toUtf8() + "; PRAGMA " + file.label.toUtf8() + ".synchronous = FULL");
        }
    }

    void run(const QByteArray& sql)
    {
        if (!connection_.exec(sql)) {
            std::fprintf(stderr, "%s: %s\n", sql.constData(), qPrintable(connection_.error().text));
            std::abort();
        }
    }
    // A statement with one text or number bound per '?', run to its end.
    template <class... Values> void run(const QByteArray& sql, const Values&... values)
    {
        data::sql::Statement* statement = connection_.prepare(sql);
        if (!statement) {
            std::fprintf(stderr, "%s: %s\n", sql.constData(), qPrintable(connection_.error().text));
            std::abort();
        }
        data::sql::Connection::Use use(statement);
        int parameter = 1;
        (statement->bind(parameter++, values), ...);
        while (statement->step()) { }
        if (!statement->ok())
            std::abort();
    }
    std::int64_t number(const QByteArray& sql)
    {
        data::sql::Statement* statement = connection_.prepare(sql);
        data::sql::Connection::Use use(statement);
        return statement && statement->step() ? statement->int64(0) : 0;
    }

private:
    data::sql::Connection connection_;
};

// " WHERE <the key's blank condition> AND column = ?": the words that let the key's partial
// index serve a statement.
QByteArray byKey(FileId id, const char* keyName, const char* column)
{
    const data::FileDesc& file = data::fileDesc(id);
    const data::SqlSchema schema(file);
    const QByteArray blank = schema.blankCondition(schema.keyIndex(keyNamed(file, keyName)));
    return " WHERE " + (blank.isEmpty() ? QByteArray("1") : blank) + " AND \"" + column + "\" = ?";
}

RawFiles& rawFiles()
{
    practice();
    static RawFiles shared;
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

// The next code and the patient written under it, as priming and the form's OK do, each
// committed on its own.
void PrimeAndInsertPatientRaw(benchmark::State& state)
{
    RawFiles& raw = rawFiles();
    const data::FileDesc& patients = data::fileDesc(FileId::PACIENTES);
    const data::SqlSchema schema(patients);
    const QByteArray blank = schema.blankCondition(schema.keyIndex(keyNamed(patients, "PAC:KCODIGO")));
    const QByteArray highest = "SELECT \"CODIGO\" FROM main.records"
        + (blank.isEmpty() ? "" : " WHERE " + blank) + " ORDER BY \"CODIGO\" DESC LIMIT 1";
    for (auto _ : state) {
        const std::int64_t code = raw.number(highest) + 1;
        raw.run("INSERT INTO main.records (\"CODIGO\", \"NOMBRE\", \"SEXO\") VALUES (?, 'NUEVO', 'M')", code);
        raw.run("UPDATE main.records SET \"NOMBRE\" = 'NUEVO', \"_version\" = \"_version\" + 1"
                + byKey(FileId::PACIENTES, "PAC:KCODIGO", "CODIGO"),
            code);
    }
}
BENCHMARK(PrimeAndInsertPatientRaw)->Unit(benchmark::kMillisecond);

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

// Lays out a patient with his history before each timed round, untimed, and times deleteOne
// on him; each run of rounds numbers its patients and consultations from its own codes.
template <class Delete>
void deletePatients(
    benchmark::State& state, std::int32_t code, std::int32_t firstConsultation, Delete deleteOne)
{
    AccessPractice& p = practice();
    for (auto _ : state) {
        state.PauseTiming();
        p.layOutPatientToDelete(++code, firstConsultation);
        firstConsultation += kDoomedConsultations;
        state.ResumeTiming();
        deleteOne(code);
    }
}

void DeletePatientWithHisHistory(benchmark::State& state)
{
    deletePatients(state, 900'000, 5'000'000, [&](std::int32_t) {
        if (practice().dictionary->relation(FileId::PACIENTES).deleteRecord() != AccessResult::Ok)
            state.SkipWithError("delete failed");
    });
}
BENCHMARK(DeletePatientWithHisHistory)->Unit(benchmark::kMillisecond)->Iterations(20);

void DeletePatientWithHisHistoryRaw(benchmark::State& state)
{
    RawFiles& raw = rawFiles();
    deletePatients(state, 950'000, 7'000'000, [&](std::int32_t code) {
        const std::int64_t patient = code;
        raw.run("BEGIN IMMEDIATE");
        for (const auto& [child, key] :
            { std::pair { FileId::FOTOS, "FOT:KPACIENTE" }, std::pair { FileId::NOTASIMPO, "NTA:KPACIENTE" },
                std::pair { FileId::ANALISIS, "ANA:KPACIENTE" },
                std::pair { FileId::ENFERMEDADES, "ENF:KPACIENTE" },
                std::pair { FileId::VACUNACION, "VAC:KPACIENTE" } })
            raw.run("DELETE FROM " + data::fileDesc(child).label.toUtf8() + ".records"
                    + byKey(child, key, "PACIENTE"),
                patient);
        raw.run(
            "DELETE FROM CONSULTAS.records" + byKey(FileId::CONSULTAS, "CON:KPACIENTE", "PACIENTE"), patient);
        raw.run("DELETE FROM main.records" + byKey(FileId::PACIENTES, "PAC:KCODIGO", "CODIGO"), patient);
        raw.run("COMMIT");
    });
}
BENCHMARK(DeletePatientWithHisHistoryRaw)->Unit(benchmark::kMillisecond)->Iterations(20);

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

void RenameProviderOf20000Raw(benchmark::State& state)
{
    RawFiles& raw = rawFiles();
    QString from = QString::fromLatin1(kProvider);
    for (auto _ : state) {
        const QString to = from == QLatin1String(kProvider) ? QStringLiteral("COBERTURA C")
                                                            : QString::fromLatin1(kProvider);
        raw.run("BEGIN IMMEDIATE");
        raw.run("UPDATE OBRASSOCIALES.records SET \"NOMBRE\" = ?, \"_version\" = \"_version\" + 1 WHERE "
                "\"NOMBRE\" = ?",
            to, from);
        for (const auto& [child, schema, key] : { std::tuple { FileId::MADRES, "MADRES", "MAD:KOBRASOCIAL" },
                 std::tuple { FileId::PACIENTES, "main", "PAC:KOBRASOCIAL" } })
            raw.run("UPDATE " + QByteArray(schema)
                    + ".records SET \"OBRASOCIAL\" = ?, \"_version\" = "
                      "\"_version\" + 1"
                    + byKey(child, key, "OBRASOCIAL"),
                to, from);
        raw.run("COMMIT");
        from = to;
    }
}
BENCHMARK(RenameProviderOf20000Raw)->Unit(benchmark::kMillisecond)->Iterations(4);

} // namespace

BENCHMARK_MAIN();
