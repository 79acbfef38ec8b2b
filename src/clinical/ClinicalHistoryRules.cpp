#include "clinical/ClinicalHistoryRules.h"

#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/ReferenceRecords.h"

namespace nidora::clinical {
namespace {

using data::AccessObject;
using data::AccessResult;

// A pathology is named by the first 20 characters of a diagnosis, the size of its name.
constexpr int kPathologyNameLength = 20;

template <class R> bool readByCode(data::Dictionary& data, std::int32_t code, const char* key)
{
    AccessObject& access = data.access<R>();
    data::clearRecord(access.desc(), access.buffer());
    data.buffer<R>().CODIGO = code;
    if (access.tryFetch(access.key(key)) == AccessResult::Ok)
        return true;
    data::clearRecord(access.desc(), access.buffer());
    return false;
}

} // namespace

bool readPatient(data::Dictionary& data, std::int32_t code)
{
    return readByCode<data::PACIENTES>(data, code, "PAC:KCODIGO");
}

bool readConsultation(data::Dictionary& data, std::int32_t code)
{
    return readByCode<data::CONSULTAS>(data, code, "CON:KCODIGO");
}

void holdPatient(data::Dictionary& data, std::int32_t code)
{
    if (data.buffer<data::PACIENTES>().CODIGO != code)
        readPatient(data, code);
}

void holdConsultation(data::Dictionary& data, std::int32_t code)
{
    if (data.buffer<data::CONSULTAS>().CODIGO != code)
        readConsultation(data, code);
}

Age patientAgeAt(const data::PACIENTES& patient, Date date)
{
    return AgeAtDate(patient.FNACIMIENTO, date);
}

bool recordConfirmedDiagnosis(data::Dictionary& data, const data::CONSULTAS& consultation)
{
    const QString named = consultation.DIAGNOSTICOF.left(kPathologyNameLength);
    AccessObject& table = data.access<data::TABENFERMED>();
    data::clearRecord(table.desc(), table.buffer());
    data.buffer<data::TABENFERMED>().NOMBRE = named;
    if (table.tryFetch(table.key("TEN:KNOMBRE")) != AccessResult::Ok)
        return false;

    AccessObject& pathologies = data.access<data::ENFERMEDADES>();
    data::ENFERMEDADES& row = data.buffer<data::ENFERMEDADES>();
    data::clearRecord(pathologies.desc(), row);
    row.PACIENTE = consultation.PACIENTE;
    row.FECHA = consultation.FECHA;
    row.ENFERMEDAD = named;
    if (pathologies.tryFetch(pathologies.key("ENF:KPACIENTE")) == AccessResult::Ok)
        return false;
    row.ANIOS = consultation.ANIOS;
    row.MESES = consultation.MESES;
    row.DIAS = consultation.DIAS;
    return pathologies.insert() == AccessResult::Ok;
}

} // namespace nidora::clinical
