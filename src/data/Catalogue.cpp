#include "data/Catalogue.h"

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "data/ScratchRecords.h"

namespace nidora::data {

namespace {

std::vector<FileDesc> describeAll()
{
    std::vector<FileDesc> files;
    files.reserve(FileCount);
    files.push_back(PACIENTES::describe());
    files.push_back(MADRES::describe());
    files.push_back(PADRES::describe());
    files.push_back(FOTOS::describe());
    files.push_back(NOTASIMPO::describe());
    files.push_back(CONSULTAS::describe());
    files.push_back(ENFERMEDADES::describe());
    files.push_back(VACUNACION::describe());
    files.push_back(ANALISIS::describe());
    files.push_back(AGENDA::describe());
    files.push_back(MEDICOS::describe());
    files.push_back(TABCRECIMIENTO::describe());
    files.push_back(MOTIVOS::describe());
    files.push_back(TABENFERMED::describe());
    files.push_back(OBRASSOCIALES::describe());
    files.push_back(PLANVACUNACION::describe());
    files.push_back(TITULOS::describe());
    files.push_back(TEMAS::describe());
    files.push_back(ARTICULOS::describe());
    files.push_back(ACCESOS::describe());
    files.push_back(GRAFICO::describe());
    files.push_back(OUTPUT::describe());
    return files;
}

} // namespace

const std::vector<FileDesc>& catalogue()
{
    static const std::vector<FileDesc> files = describeAll();
    return files;
}

const FileDesc& fileDesc(FileId id)
{
    return catalogue().at(std::size_t(id));
}

const FileDesc* findFileDesc(const QString& label)
{
    for (const FileDesc& file : catalogue()) {
        if (file.label.compare(label, Qt::CaseInsensitive) == 0)
            return &file;
    }
    return nullptr;
}

const FieldDesc* findFieldDesc(const QString& fullName)
{
    const qsizetype colon = fullName.indexOf(u':');
    if (colon <= 0)
        return nullptr;
    const QStringView prefix = QStringView(fullName).left(colon);
    for (const FileDesc& file : catalogue())
        if (prefix.compare(file.prefix, Qt::CaseInsensitive) == 0)
            if (const FieldDesc* found = file.field(fullName))
                return found;
    return nullptr;
}

} // namespace nidora::data
