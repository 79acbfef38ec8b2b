#pragma once

#include "practice/WorkingHours.h"

#include "data/AccessObject.h"
#include "data/RelationObject.h"

#include <cstdint>
#include <optional>

// An appointment changed to another date, time or doctor, in the transaction of its change:
// a free slot already at its new place gives way to it, and the place it leaves is a free slot
// again where the day's free-slot generation would make one. A place another appointment
// holds is left alone, so the change meets the key's duplicate message as before.
namespace nidora::practice {

class AppointmentMove {
public:
    // agenda and doctors: the thread's access objects of AGENDA and MEDICOS, open while a
    // change is written; the working hours are read when it is.
    AppointmentMove(data::AccessObject& agenda, data::AccessObject& doctors, const WorkingHours& hours);

    // What the change writes besides the appointment (RelationObject::change).
    data::RelationObject::Alongside alongside();

private:
    struct Place {
        Date day;
        std::int32_t time;
        std::uint8_t doctor;
        bool operator==(const Place&) const = default;
    };

    data::AccessResult makeRoom();
    data::AccessResult freeLeftPlace();
    bool generated(const Place& place);

    data::AccessObject& agenda_;
    data::AccessObject& doctors_;
    const WorkingHours& hours_;
    // The place the appointment leaves, while its change is being written.
    std::optional<Place> left_;
};

} // namespace nidora::practice
