#pragma once

#include "data/Schema.h"

#include <QString>

#include <vector>

// The practice's 22 data files, each described once. Every record struct names its file by
// `fileId`, so code holding a record type reaches its descriptor with fileDesc<PACIENTES>().
namespace nidora::data {

// In catalogue order; the values index catalogue().
enum class FileId {
    PACIENTES,
    MADRES,
    PADRES,
    FOTOS,
    NOTASIMPO,
    CONSULTAS,
    ENFERMEDADES,
    VACUNACION,
    ANALISIS,
    AGENDA,
    MEDICOS,
    TABCRECIMIENTO,
    MOTIVOS,
    TABENFERMED,
    OBRASSOCIALES,
    PLANVACUNACION,
    TITULOS,
    TEMAS,
    ARTICULOS,
    ACCESOS,
    GRAFICO,
    OUTPUT,
};

inline constexpr int FileCount = int(FileId::OUTPUT) + 1;

// All files in FileId order; built on first use and never changed afterwards, so every
// thread may read it.
const std::vector<FileDesc>& catalogue();

const FileDesc& fileDesc(FileId id);

// The file with that label ("PACIENTES"), regardless of case; null when there is none.
const FileDesc* findFileDesc(const QString& label);
// The field or memo with that full name ("MAD:ANTECEDENTES"), found by its file's prefix,
// regardless of case; null when no file has it.
const FieldDesc* findFieldDesc(const QString& fullName);

template <typename R> const FileDesc& fileDesc()
{
    return fileDesc(R::fileId);
}

} // namespace nidora::data
