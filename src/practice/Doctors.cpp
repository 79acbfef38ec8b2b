#include "practice/Doctors.h"

#include "data/AccessBuffer.h"
#include "data/AccessObject.h"
#include "data/ReferenceRecords.h"

namespace nidora::practice {

std::vector<Doctor> readDoctors(data::AccessObject& doctors)
{
    std::vector<Doctor> read;
    data::clearRecord(doctors.desc(), doctors.buffer());
    doctors.setOrder(&doctors.key("MED:KCODIGO"));
    while (doctors.next() == data::AccessResult::Ok) {
        const auto& doctor = static_cast<const data::MEDICOS&>(doctors.buffer());
        read.push_back({ doctor.CODIGO, doctor.NOMBRE });
    }
    return read;
}

} // namespace nidora::practice
