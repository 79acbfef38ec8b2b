#include "data/Dictionary.h"

#include "core/ErrorManager.h"

namespace nidora::data {
namespace {

using enum FileId;

constexpr FileId kSetupOrder[] = {
    TITULOS,
    TABENFERMED,
    ENFERMEDADES,
    CONSULTAS,
    VACUNACION,
    GRAFICO,
    PLANVACUNACION,
    MADRES,
    OBRASSOCIALES,
    PADRES,
    ANALISIS,
    NOTASIMPO,
    AGENDA,
    TEMAS,
    OUTPUT,
    ARTICULOS,
    FOTOS,
    ACCESOS,
    PACIENTES,
    // second group
    MEDICOS,
    TABCRECIMIENTO,
    MOTIVOS,
};
static_assert(std::size(kSetupOrder) == FileCount);

} // namespace

std::span<const FileId> Dictionary::setupOrder()
{
    return kSetupOrder;
}

Dictionary::Dictionary()
    : Dictionary(core::AppErrorManager)
{
}

Dictionary::Dictionary(core::ErrorManager& errors)
    : errors_(errors)
{
    for (FileId file : kSetupOrder) {
        access_[std::size_t(file)] = std::make_unique<AccessObject>(fileDesc(file), *this, errors_);
        relations_[std::size_t(file)] = std::make_unique<RelationObject>(*access_[std::size_t(file)]);
    }
}

Dictionary::~Dictionary()
{
    for (FileId file : kSetupOrder) {
        relations_[std::size_t(file)].reset();
        access_[std::size_t(file)].reset();
    }
}

} // namespace nidora::data
