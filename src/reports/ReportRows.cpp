#include "reports/ReportRows.h"

#include "reports/ScratchRefill.h"

#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/Picture.h"
#include "core/PictureFormat.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ScratchRecords.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

using data::AccessObject;
using data::AccessResult;
using data::Dictionary;
using data::FileId;
using views::AppGlobals;

namespace {

// One row: the buffer cleared, the filler's columns set, inserted.
bool insertRow(AccessObject& output, const std::function<void(data::OUTPUT&)>& set)
{
    auto& row = static_cast<data::OUTPUT&>(output.buffer());
    row = data::OUTPUT {};
    set(row);
    return output.insert() == AccessResult::Ok;
}

bool sameKeyText(const QString& a, const QString& b)
{
    return cp1252::compareAsKey(a, b) == 0;
}

// Reads forward in the key's order, from the components the buffer holds or from the start;
// `visit` answers whether to go on (false at the first record past the range). False when a
// read failed.
bool readOn(AccessObject& file, const char* key, bool fromBuffer, const std::function<bool()>& visit)
{
    file.setOrder(&file.key(key), fromBuffer);
    for (;;) {
        const AccessResult read = file.next();
        if (read == AccessResult::NotFound)
            return true;
        if (read != AccessResult::Ok)
            return false;
        if (!visit())
            return true;
    }
}

bool readFrom(AccessObject& file, const char* key, const std::function<bool()>& visit)
{
    return readOn(file, key, true, visit);
}

bool readAll(AccessObject& file, const char* key, const std::function<bool()>& visit)
{
    return readOn(file, key, false, visit);
}

// The consultations of one patient, in date order.
bool readConsultationsOf(
    Dictionary& data, std::int32_t patient, const std::function<bool(const data::CONSULTAS&)>& visit)
{
    auto& consultation = data.buffer<data::CONSULTAS>();
    consultation = data::CONSULTAS {};
    consultation.PACIENTE = patient;
    return readFrom(data.access<data::CONSULTAS>(), "CON:KPACIENTE",
        [&] { return consultation.PACIENTE == patient && visit(consultation); });
}

} // namespace

void dropOwnOutput(Dictionary& data)
{
    data.access<data::OUTPUT>().dropOwnCopy();
}

bool refillOutput(Dictionary& data, const std::function<bool(AccessObject& output)>& fill)
{
    return refillScratch(data, FileId::OUTPUT, fill);
}

bool writeGrowthRows(Dictionary& data, AccessObject& output)
{
    auto& patient = data.buffer<data::PACIENTES>();
    patient = data::PACIENTES {};
    patient.CODIGO = AppGlobals.SELECTPACIENTE;
    AccessObject& patients = data.access<data::PACIENTES>();
    if (patients.fetch(patients.key("PAC:KCODIGO")) != AccessResult::Ok)
        return true;
    if (!insertRow(output, [&](data::OUTPUT& row) {
            row.LONG1 = patient.FNACIMIENTO;
            row.REAL1 = double(patient.PESO) / 1000;
            row.REAL2 = patient.ALTURA;
            row.REAL3 = double(patient.PC) / 100;
        }))
        return false;
    bool written = true;
    const bool read = readConsultationsOf(data, patient.CODIGO, [&](const data::CONSULTAS& c) {
        if (c.PESO == 0 && c.ALTURA == 0 && c.PC == 0)
            return true;
        written = insertRow(output, [&](data::OUTPUT& row) {
            row.LONG1 = c.FECHA;
            row.REAL1 = double(c.PESO) / 1000;
            row.REAL2 = double(c.ALTURA) / 10;
            row.REAL3 = double(c.PC) / 10;
            row.SHORT1 = c.ANIOS;
            row.SHORT2 = c.MESES;
            row.SHORT3 = c.DIAS;
        });
        return written;
    });
    return read && written;
}

bool writeBloodGroupRows(Dictionary& data, AccessObject& output, PeopleTicked ticked)
{
    const QString group = AppGlobals.SELECTGRUPO;
    // The people of one file whose group is the chosen one, from the first of that group in the
    // group-and-name key to the first of another group.
    const auto people = [&](auto& person, const char* key) {
        using Person = std::remove_reference_t<decltype(person)>;
        person = Person {};
        person.GRUPO = group;
        bool written = true;
        const bool read = readFrom(data.access<Person>(), key, [&] {
            if (!sameKeyText(person.GRUPO, group))
                return false;
            written = insertRow(output, [&](data::OUTPUT& row) { row.STRING1 = person.NOMBRE; });
            return written;
        });
        return read && written;
    };
    return (!ticked.patients || people(data.buffer<data::PACIENTES>(), "PAC:KGRUPO"))
        && (!ticked.mothers || people(data.buffer<data::MADRES>(), "MAD:KGRUPO"))
        && (!ticked.fathers || people(data.buffer<data::PADRES>(), "PAD:KGRUPO"));
}

bool writeAppointmentRows(Dictionary& data, AccessObject& output)
{
    auto& slot = data.buffer<data::AGENDA>();
    slot = data::AGENDA {};
    slot.FECHA = AppGlobals.DF;
    bool written = true;
    const bool read = readFrom(data.access<data::AGENDA>(), "AGE:KFECHA", [&] {
        if (slot.FECHA > AppGlobals.HF)
            return false;
        written = insertRow(output, [&](data::OUTPUT& row) {
            row.LONG1 = slot.FECHA;
            row.LONG2 = slot.HORA;
            row.LONG3 = slot.MEDICO;
        });
        return written;
    });
    return read && written;
}

bool writeBirthdayRows(Dictionary& data, AccessObject& output)
{
    const int thisYear = dateParts(Clock::today()).year;
    const auto& patient = data.buffer<data::PACIENTES>();
    bool written = true;
    const bool read = readAll(data.access<data::PACIENTES>(), "PAC:KCODIGO", [&] {
        const DateParts born = dateParts(patient.FNACIMIENTO);
        if (born.month == 0 || born.month != AppGlobals.MES)
            return true;
        written = insertRow(output, [&](data::OUTPUT& row) {
            row.SHORT1 = std::int16_t(born.day);
            row.LONG1 = patient.CODIGO;
            row.STRING1 = patient.NOMBRE;
            row.LONG2 = thisYear - born.year;
            row.SHORT2 = AppGlobals.MES;
        });
        return written;
    });
    return read && written;
}

bool writeCoverageRows(Dictionary& data, AccessObject& output)
{
    static const Picture tenDigits = *parsePicture(u"@N010");
    const QString coverage = cp1252::fitToField(AppGlobals.SELECTOBRAS, 20);
    const auto& patient = data.buffer<data::PACIENTES>();
    AccessObject& patients = data.access<data::PACIENTES>();
    bool ok = true;
    const bool read = readAll(patients, "PAC:KCODIGO", [&] {
        if (cp1252::fitToField(patient.OBRASOCIAL, 20) != coverage)
            return true;
        // The consultations are read in their own buffer: the patients' order goes on after.
        ok = readConsultationsOf(data, patient.CODIGO, [&](const data::CONSULTAS& c) {
            return insertRow(output, [&](data::OUTPUT& row) {
                row.LONG1 = c.CODIGO;
                row.STRING1 = formatLong(tenDigits, c.CODIGO);
            });
        });
        return ok;
    });
    return read && ok;
}

} // namespace nidora::reports
