#pragma once

#include "practice/Doctors.h"

#include "framework/Control.h"

#include <QString>

#include <cstdint>
#include <vector>

class QComboBox;
class QStandardItemModel;

namespace nidora::practice {

// A doctor's number typed or picked from a list that drops down with each doctor's number and
// name; picking a row puts its number in the line. A number on no row is kept as typed.
// Finishing with the line (Enter, a pick, leaving it after a change) raises an accepted event.
class DoctorChoice final : public framework::Control {
public:
    explicit DoctorChoice(std::uint8_t& number);

    bool holdsData() const override { return true; }
    void display() override;
    void displayAsTyped() override;
    InputError commit() override;

    void setDoctors(const std::vector<Doctor>& doctors);
    QString text() const;

private:
    QComboBox* combo_;
    QStandardItemModel* rows_;
    std::uint8_t& number_;
};

} // namespace nidora::practice
