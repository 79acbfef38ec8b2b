#pragma once

// The data files of a large practice, shared by the benchmarks: 100,000 patients (every tenth
// covered by "COBERTURA A"), 1,000,000 consultations and 500,000 pathologies, generated once
// in buffered mode in a scratch folder made the working directory, with an empty pathology
// table.
#include "core/ErrorManager.h"
#include "data/Catalogue.h"
#include "data/ClinicalRecords.h"
#include "data/DataFile.h"
#include "data/Dictionary.h"
#include "data/PatientRecords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace nidora::bench {

inline constexpr std::int32_t kPatients = 100'000;
inline constexpr std::int32_t kConsultations = 1'000'000;
inline constexpr std::int32_t kPathologies = 500'000;
inline constexpr const char* kProvider = "COBERTURA A";
inline const char* const kReasons[]
    = { "CONTROL", "GRIPE", "FIEBRE", "ANGINAS", "BRONQUITIS", "OTITIS", "VACUNA" };
inline const char* const kNames[]
    = { "GARCIA", "LOPEZ", "MARTINEZ", "PEREZ", "GOMEZ", "DIAZ", "ÁLVAREZ", "MUÑOZ" };

inline const data::KeyDesc& keyNamed(const data::FileDesc& file, const char* name)
{
    for (const data::KeyDesc& key : file.keys)
        if (key.name == QLatin1String(name))
            return key;
    std::abort();
}

inline data::PACIENTES patient(std::int32_t code)
{
    data::PACIENTES p;
    p.CODIGO = code;
    p.NOMBRE = QString::fromUtf8(kNames[code % 8]) + QStringLiteral(" ") + QString::number(code);
    p.SEXO = code % 2 ? QStringLiteral("F") : QStringLiteral("M");
    p.FNACIMIENTO = 80'000 + code % 6'000;
    p.MADRE = QStringLiteral("MADRE ") + QString::number(code / 2);
    if (code % 10 == 0)
        p.OBRASOCIAL = QString::fromLatin1(kProvider);
    return p;
}

inline data::CONSULTAS consultation(std::int32_t code)
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

inline data::ENFERMEDADES pathology(std::int32_t i)
{
    data::ENFERMEDADES e;
    e.PACIENTE = 1 + i % kPatients;
    e.FECHA = 70'000 + i % 9'000;
    e.ENFERMEDAD = QString::fromLatin1(kReasons[i % 7]);
    return e;
}

// Fills a file in buffered mode with `count` records made by `make`, printing the rate.
template <class Make>
std::unique_ptr<data::DataFile> fill(data::FileId id, std::int32_t count, Make make, const char* what)
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

struct GeneratedPractice {
    GeneratedPractice()
    {
        previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        patients = fill(data::FileId::PACIENTES, kPatients, patient, "patients");
        consultations = fill(data::FileId::CONSULTAS, kConsultations, consultation, "consultations");
        pathologies = fill(data::FileId::ENFERMEDADES, kPathologies, pathology, "pathologies");
        // The one file a practice always has, which is never made when missing.
        data::DataFile::createEmpty(data::fileDesc(data::FileId::TABENFERMED));
    }
    ~GeneratedPractice() { QDir::setCurrent(previous); }
    GeneratedPractice(const GeneratedPractice&) = delete;
    GeneratedPractice& operator=(const GeneratedPractice&) = delete;

    QTemporaryDir folder;
    QString previous;
    std::unique_ptr<data::DataFile> patients;
    std::unique_ptr<data::DataFile> consultations;
    std::unique_ptr<data::DataFile> pathologies;
};

// The generated practice, made once for the whole benchmark program, its files closed: for the
// benchmarks that open, copy or rewrite the disk files themselves.
inline GeneratedPractice& closedPractice()
{
    static GeneratedPractice generated;
    static bool closed = false;
    if (!closed) {
        generated.patients.reset();
        generated.consultations.reset();
        generated.pathologies.reset();
        closed = true;
    }
    return generated;
}

// The generated practice with a Dictionary of its own over it, as one logical thread has; it
// opens nothing until a benchmark does.
struct PracticeWithData {
    GeneratedPractice generated;
    core::ErrorManager errors;
    std::unique_ptr<data::Dictionary> dictionary = std::make_unique<data::Dictionary>(errors);
};

} // namespace nidora::bench
