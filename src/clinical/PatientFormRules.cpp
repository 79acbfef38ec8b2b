#include "clinical/PatientFormRules.h"

#include "data/AccessBuffer.h"
#include "data/Dictionary.h"

namespace nidora::clinical {
namespace {

using data::AccessObject;
using data::AccessResult;
using data::FOTOS;
using data::NOTASIMPO;

void takeIfQualifies(QString& field, const QString& mothers)
{
    if (takesMothersValue(field))
        field = mothers;
}

// Clears the file's buffer, puts the patient's code in it and reads his record by the key.
template <class R> bool fetchForPatient(data::Dictionary& data, std::int32_t patientCode, const char* key)
{
    AccessObject& access = data.access<R>();
    data::clearRecord(access.desc(), access.buffer());
    data.buffer<R>().PACIENTE = patientCode;
    return access.tryFetch(access.key(key)) == AccessResult::Ok;
}

// Changes the record just read, or adds the buffer as a new one; a failure shows its message.
void store(AccessObject& access, bool found)
{
    if (found)
        access.change();
    else
        access.insert();
}

} // namespace

void giveCurrentPhysician(data::PACIENTES& patient, std::uint8_t currentPhysician)
{
    if (patient.MEDICO == 0)
        patient.MEDICO = currentPhysician;
}

bool takesMothersValue(const QString& text)
{
    return text.isEmpty() || text.front() < QLatin1Char('0');
}

void copyFromMother(data::PACIENTES& patient, const data::MADRES& mother)
{
    takeIfQualifies(patient.DOMICILIO, mother.DOMICILIO);
    takeIfQualifies(patient.TELEFONO, mother.TELEFONO);
    takeIfQualifies(patient.OBRASOCIAL, mother.OBRASOCIAL);
}

QString photoBaseName(std::int32_t patientCode)
{
    return QStringLiteral("P%1").arg(patientCode, 6, 10, QLatin1Char('0'));
}

PatientExtras readPatientExtras(data::Dictionary& data, std::int32_t patientCode)
{
    PatientExtras extras;
    if (fetchForPatient<NOTASIMPO>(data, patientCode, "NTA:KPACIENTE")) {
        extras.note1 = data.buffer<NOTASIMPO>().NOTA1;
        extras.note2 = data.buffer<NOTASIMPO>().NOTA2;
    }
    if (fetchForPatient<FOTOS>(data, patientCode, "FOT:KPACIENTE"))
        extras.photo = data.buffer<FOTOS>().ARCHIVO;
    return extras;
}

void writePatientExtras(data::Dictionary& data, std::int32_t patientCode, const PatientExtras& extras)
{
    if (patientCode <= 0)
        return;
    const bool hasNotes = fetchForPatient<NOTASIMPO>(data, patientCode, "NTA:KPACIENTE");
    NOTASIMPO& notes = data.buffer<NOTASIMPO>();
    notes.NOTA1 = extras.note1;
    notes.NOTA2 = extras.note2;
    store(data.access<NOTASIMPO>(), hasNotes);

    const bool hasPhoto = fetchForPatient<FOTOS>(data, patientCode, "FOT:KPACIENTE");
    data.buffer<FOTOS>().ARCHIVO = extras.photo;
    store(data.access<FOTOS>(), hasPhoto);
}

} // namespace nidora::clinical
