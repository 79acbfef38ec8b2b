#include "data/RelationRules.h"

#include <array>

namespace nidora::data {
namespace {

using enum FileId;

RelationSpec child(FileId file, const char* key, Rule onChange, Rule onDelete, std::vector<Link> links)
{
    return RelationSpec { file, false, key, onChange, onDelete, std::move(links) };
}

RelationSpec parent(FileId file)
{
    return RelationSpec { .other = file, .parentEntry = true };
}

std::array<std::vector<RelationSpec>, FileCount> describeRelations()
{
    constexpr Rule none = Rule::None;
    constexpr Rule restrict = Rule::Restrict;
    constexpr Rule cascade = Rule::Cascade;
    std::array<std::vector<RelationSpec>, FileCount> r;
    auto of = [&r](FileId file) -> std::vector<RelationSpec>& { return r[std::size_t(file)]; };

    of(PACIENTES) = {
        child(FOTOS, "FOT:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "FOT:PACIENTE" } }),
        child(NOTASIMPO, "NTA:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "NTA:PACIENTE" } }),
        child(AGENDA, "AGE:KPACIENTE", cascade, none, { { "PAC:CODIGO", "AGE:PACIENTE" } }),
        child(ANALISIS, "ANA:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "ANA:PACIENTE" } }),
        parent(OBRASSOCIALES),
        child(ENFERMEDADES, "ENF:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "ENF:PACIENTE" } }),
        child(PLANVACUNACION, "PLA:KPLANES", none, none, { { "PAC:PLANVACUNACION", "PLA:CODIGO" } }),
        child(VACUNACION, "VAC:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "VAC:PACIENTE" } }),
        child(CONSULTAS, "CON:KPACIENTE", cascade, cascade, { { "PAC:CODIGO", "CON:PACIENTE" } }),
        parent(MADRES),
        parent(PADRES),
    };
    of(CONSULTAS) = {
        parent(MOTIVOS),
        child(ANALISIS, "ANA:KCONSULTA", cascade, cascade, { { "CON:CODIGO", "ANA:CONSULTA" } }),
        parent(PACIENTES),
    };
    of(MADRES) = {
        parent(OBRASSOCIALES),
        child(PACIENTES, "PAC:KMADRE", cascade, none, { { "MAD:NOMBRE", "PAC:MADRE" } }),
    };
    of(PADRES) = { child(PACIENTES, "PAC:KPADRE", cascade, none, { { "PAD:NOMBRE", "PAC:PADRE" } }) };
    of(OBRASSOCIALES) = {
        child(MADRES, "MAD:KOBRASOCIAL", cascade, restrict, { { "OBR:NOMBRE", "MAD:OBRASOCIAL" } }),
        child(PACIENTES, "PAC:KOBRASOCIAL", cascade, restrict, { { "OBR:NOMBRE", "PAC:OBRASOCIAL" } }),
    };
    of(MOTIVOS) = { child(CONSULTAS, "CON:KMOTIVO", cascade, none, { { "MOT:MOTIVO", "CON:MOTIVO" } }) };
    of(TABENFERMED) = { child(
        ENFERMEDADES, "ENF:KENFERMEDAD", cascade, restrict, { { "TEN:NOMBRE", "ENF:ENFERMEDAD" } }) };
    of(TEMAS) = {
        child(ARTICULOS, "ART:KTEMA", cascade, restrict, { { "TEM:TEMA", "ART:TEMA" } }),
        child(TITULOS, "TIT:KTITULO", cascade, restrict, { { "TEM:TEMA", "TIT:TEMA" } }),
    };
    of(TITULOS) = {
        child(ARTICULOS, "ART:KTEMA", cascade, restrict,
            { { "TIT:TEMA", "ART:TEMA" }, { "TIT:TITULO", "ART:TITULO" } }),
        parent(TEMAS),
    };
    of(ARTICULOS) = { parent(TITULOS), parent(TEMAS) };
    of(ENFERMEDADES) = { parent(PACIENTES), parent(TABENFERMED) };
    of(ANALISIS) = { parent(CONSULTAS), parent(PACIENTES) };
    for (FileId file : { VACUNACION, PLANVACUNACION, NOTASIMPO, AGENDA, FOTOS })
        of(file) = { parent(PACIENTES) };
    return r;
}

} // namespace

const std::vector<RelationSpec>& relationSpecs(FileId file)
{
    static const std::array<std::vector<RelationSpec>, FileCount> relations = describeRelations();
    return relations.at(std::size_t(file));
}

} // namespace nidora::data
