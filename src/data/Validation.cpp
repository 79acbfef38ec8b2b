#include "data/Validation.h"

#include <algorithm>

namespace nidora::data {
namespace {

using Kind = ValidationRule::Kind;

// Grouped by file, in field order within each.
constexpr ValidationRule kRules[] = {
    { FileId::CONSULTAS, "CON:PACIENTE", Kind::MustExist, 0, FileId::PACIENTES, "PAC:KCODIGO" },
    { FileId::CONSULTAS, "CON:ANIOS", Kind::AtMost, 99 },
    { FileId::CONSULTAS, "CON:MESES", Kind::AtMost, 12 },
    { FileId::CONSULTAS, "CON:DIAS", Kind::AtMost, 31 },
    { FileId::ENFERMEDADES, "ENF:ANIOS", Kind::AtMost, 99 },
    { FileId::ENFERMEDADES, "ENF:MESES", Kind::AtMost, 12 },
    { FileId::ENFERMEDADES, "ENF:DIAS", Kind::AtMost, 31 },
    { FileId::PLANVACUNACION, "PLA:MESES", Kind::AtMost, 12 },
    { FileId::PLANVACUNACION, "PLA:DIAS", Kind::AtMost, 31 },
};

} // namespace

std::span<const ValidationRule> validationRules(FileId file)
{
    const auto* first
        = std::find_if(std::begin(kRules), std::end(kRules), [file](auto& r) { return r.file == file; });
    const auto* last = std::find_if(first, std::end(kRules), [file](auto& r) { return r.file != file; });
    return { first, last };
}

} // namespace nidora::data
