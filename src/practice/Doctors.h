#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace nidora::data {
class AccessObject;
}

namespace nidora::practice {

struct Doctor {
    std::uint8_t number = 0;
    QString name;
};

// Every doctor of MEDICOS in number order, read through the thread's open access object (its
// buffer holds the last one read afterwards).
std::vector<Doctor> readDoctors(data::AccessObject& doctors);

} // namespace nidora::practice
