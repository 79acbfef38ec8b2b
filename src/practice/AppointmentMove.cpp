#include "practice/AppointmentMove.h"

#include "practice/AgendaRows.h"
#include "practice/FreeSlots.h"

#include "core/RecordMessages.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/ReferenceRecords.h"

#include <algorithm>

namespace nidora::practice {

namespace {

using data::AccessResult;

} // namespace

AppointmentMove::AppointmentMove(
    data::AccessObject& agenda, data::AccessObject& doctors, const WorkingHours& hours)
    : agenda_(agenda)
    , doctors_(doctors)
    , hours_(hours)
{
}

data::RelationObject::Alongside AppointmentMove::alongside()
{
    return { [this] { return makeRoom(); }, [this] { return freeLeftPlace(); } };
}

// Before the appointment is written at its new place: a free slot there (no patient, no name,
// no note) is deleted.
AccessResult AppointmentMove::makeRoom()
{
    left_.reset();
    const auto& stored = static_cast<const data::AGENDA&>(agenda_.asRead());
    const auto& moved = static_cast<const data::AGENDA&>(agenda_.buffer());
    const Place from { stored.FECHA, stored.HORA, stored.MEDICO };
    const Place to { moved.FECHA, moved.HORA, moved.MEDICO };
    if (from == to)
        return AccessResult::Ok;
    left_ = from;
    data::DataFile& file = *agenda_.file();
    data::AGENDA there;
    data::RecordRef ref;
    const data::Outcome found = file.fetch(agenda_.key("AGE:KFECHA"),
        { data::FieldValue(std::int64_t(to.day)), data::FieldValue(std::int64_t(to.time)),
            data::FieldValue(std::int64_t(to.doctor)) },
        there, &ref);
    if (found.status == data::Status::NotFound)
        return AccessResult::Ok;
    if (!found.ok())
        return agenda_.reportOutcome(core::message::RetrievalError, found, true);
    if (there.PACIENTE != 0 || !isFreeSlot(there))
        return AccessResult::Ok;
    if (const data::Outcome removed = file.remove(ref.id); !removed.ok())
        return agenda_.reportOutcome(core::message::DeleteError, removed, true);
    return AccessResult::Ok;
}

// Once the appointment is written: the place it left is free again, as a slot of the working
// hours that the generation would have made there for its doctor.
AccessResult AppointmentMove::freeLeftPlace()
{
    if (!left_ || !generated(*left_))
        return AccessResult::Ok;
    data::AGENDA slot;
    data::clearRecord(agenda_.desc(), slot);
    slot.FECHA = left_->day;
    slot.HORA = left_->time;
    slot.MEDICO = left_->doctor;
    const data::Outcome added = agenda_.file()->add(slot);
    if (!added.ok())
        return agenda_.reportOutcome(core::message::InsertError, added, true);
    return AccessResult::Ok;
}

bool AppointmentMove::generated(const Place& place)
{
    const std::vector<std::int32_t> times = slotTimes(hours_, place.day);
    if (std::find(times.begin(), times.end(), place.time) == times.end())
        return false;
    data::DataFile* doctors = doctors_.file();
    if (!doctors)
        return false;
    data::MEDICOS doctor;
    return doctors
        ->fetch(doctors_.key("MED:KCODIGO"), { data::FieldValue(std::int64_t(place.doctor)) }, doctor)
        .ok();
}

} // namespace nidora::practice
