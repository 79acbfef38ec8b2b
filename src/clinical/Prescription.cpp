#include "clinical/Prescription.h"

#include "clinical/ChartParameters.h"

#include "core/TextClip.h"
#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "framework/ThreadContext.h"
#include "views/DictionarySetup.h"

#include <array>

namespace nidora::clinical {
namespace {

// Shorter than this, a stored prescription is taken for none and built afresh.
constexpr int kShortestKept = 10;

} // namespace

PrescriptionValues::PrescriptionValues()
    : RECETA(fitted({}, 5000))
    , NOMBREMEDICO(fitted({}, 30))
    , MATRICULAMEDICO(fitted({}, 20))
    , MEDICOESPECIALIDAD(fitted({}, 30))
    , MEDICODIRECCION1(fitted({}, 30))
    , MEDICODIRECCION2(fitted({}, 30))
    , MEDICOMAIL(fitted({}, 40))
    , MEDICOOTROS(fitted({}, 30))
{
}

PrescriptionValues& prescriptionValues()
{
    return framework::currentThread().local<PrescriptionValues>();
}

QString prescriptionText(const data::CONSULTAS& consultation)
{
    if (clipped(consultation.RECETA).size() >= kShortestKept)
        return consultation.RECETA;
    return clipped(QStringLiteral("DIAGNOSTICO: ") + consultation.DIAGNOSTICOP) + QStringLiteral("\r\n\r\n")
        + consultation.MEDICACION;
}

void readDoctorHeader(data::Dictionary& data, std::uint8_t doctor, PrescriptionValues& values)
{
    data::AccessObject& doctors = data.access<data::MEDICOS>();
    data::clearRecord(doctors.desc(), doctors.buffer());
    auto& record = data.buffer<data::MEDICOS>();
    record.CODIGO = doctor;
    if (doctors.tryFetch(doctors.key("MED:KCODIGO")) != data::AccessResult::Ok) {
        data::clearRecord(doctors.desc(), doctors.buffer());
        record.CODIGO = doctor;
    }
    values.NOMBREMEDICO = fitted(record.NOMBRE, 30);
    values.MATRICULAMEDICO = fitted(record.MATRICULA, 20);
    values.MEDICOESPECIALIDAD = fitted(record.ESPECIALIDAD, 30);
    values.MEDICODIRECCION1 = fitted(record.DIRECCION1, 30);
    values.MEDICODIRECCION2 = fitted(record.DIRECCION2, 30);
    values.MEDICOMAIL = fitted(record.MAIL, 40);
    values.MEDICOOTROS = fitted(record.OTROS, 30);
}

void prescription(std::int32_t consultation)
{
    // The window reads its consultation, that consultation's patient and the doctor into the
    // thread's buffers, which the calling form may be editing: what it typed must survive.
    data::Dictionary& data = views::threadDictionary();
    const std::array files { data::FileId::PACIENTES, data::FileId::CONSULTAS, data::FileId::MEDICOS };
    std::array<data::AccessObject::State, files.size()> kept;
    for (std::size_t i = 0; i < files.size(); ++i)
        kept[i] = data.access(files[i]).state();
    prescriptionValues().PrescriptionConsultation = consultation;
    PantallaRECETA();
    for (std::size_t i = 0; i < files.size(); ++i)
        data.access(files[i]).restore(kept[i]);
}

} // namespace nidora::clinical
