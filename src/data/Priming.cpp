#include "data/Priming.h"

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"

namespace nidora::data {

void setInitialValues(FileId file, Record& record)
{
    switch (file) {
    case FileId::PACIENTES: {
        auto& patient = static_cast<PACIENTES&>(record);
        patient.MEDICO = 1;
        patient.SEXO = QStringLiteral("M");
        patient.TIPODOCUMENTO = QStringLiteral("DI");
        patient.PLANVACUNACION = QStringLiteral("A");
        patient.NROGESTACION = 1;
        break;
    }
    case FileId::CONSULTAS: {
        auto& consultation = static_cast<CONSULTAS&>(record);
        consultation.MOTIVO = QStringLiteral("CONTROL");
        consultation.MEDICO = 1;
        break;
    }
    case FileId::PLANVACUNACION:
        static_cast<PLANVACUNACION&>(record).CODIGO = QStringLiteral("A");
        break;
    default:
        break;
    }
}

std::optional<NumbersHeldElsewhere> numbersHeldElsewhere(FileId file)
{
    if (file == FileId::PACIENTES)
        return NumbersHeldElsewhere { FileId::AGENDA, "AGE:KPACIENTE" };
    return std::nullopt;
}

} // namespace nidora::data
