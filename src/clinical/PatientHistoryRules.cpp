#include "clinical/PatientHistoryRules.h"

#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/Dictionary.h"

namespace nidora::clinical {

using data::AccessResult;
using data::PLANVACUNACION;
using data::VACUNACION;

MilestoneAge milestoneAge(Date birth, Date observed)
{
    if (birth <= 0 || observed <= 0)
        return {};
    const DateParts born = dateParts(birth);
    const DateParts seen = dateParts(observed);
    int months = seen.month - born.month;
    int years = seen.year - born.year;
    if (months < 0) {
        months += 12;
        years -= 1;
    }
    return { static_cast<std::int16_t>(years), static_cast<std::int16_t>(months) };
}

Date plannedDate(Date birth, const PLANVACUNACION& row)
{
    const DateParts born = dateParts(birth);
    int month = born.month + row.MESES;
    int year = born.year + row.ANIOS;
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    const Date onDay = makeDate(year, month, born.day);
    return onDay == noDate ? noDate : onDay + row.DIAS;
}

int generatePlannedVaccinations(data::Dictionary& data, const data::PACIENTES& patient)
{
    if (patient.FNACIMIENTO <= 0)
        return 0;
    data::AccessObject& vaccinations = data.access<VACUNACION>();
    data::AccessObject& plans = data.access<PLANVACUNACION>();
    data::DataFile* file = vaccinations.file();
    if (!file || !plans.isOpen())
        return 0;
    // One commit for the whole plan, however many doses it has.
    const bool buffered = file->beginBuffered().ok();

    PLANVACUNACION& row = data.buffer<PLANVACUNACION>();
    VACUNACION& dose = data.buffer<VACUNACION>();
    data::clearRecord(plans.desc(), plans.buffer());
    row.CODIGO = patient.PLANVACUNACION;
    plans.setOrder(&plans.key("PLA:KCODIGO"), true);
    int added = 0;
    while (plans.next() == AccessResult::Ok
        && row.CODIGO.compare(patient.PLANVACUNACION, Qt::CaseInsensitive) == 0) {
        const Date planned = plannedDate(patient.FNACIMIENTO, row);
        data::clearRecord(vaccinations.desc(), vaccinations.buffer());
        dose.PACIENTE = patient.CODIGO;
        dose.FECHAPROG = planned;
        dose.VACUNA = row.VACUNA;
        if (vaccinations.tryFetch(vaccinations.key("VAC:KPACIENTE")) == AccessResult::Ok)
            continue;
        data::clearRecord(vaccinations.desc(), vaccinations.buffer());
        dose.PACIENTE = patient.CODIGO;
        dose.FECHAPROG = planned;
        dose.FECHAREAL = noDate;
        dose.VACUNA = row.VACUNA;
        dose.DOSIS = row.DOSIS;
        if (vaccinations.insert() == AccessResult::Ok)
            ++added;
    }
    if (buffered)
        file->flush();
    return added;
}

} // namespace nidora::clinical
