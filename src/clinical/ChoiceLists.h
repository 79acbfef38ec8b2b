#pragma once

#include "data/Dictionary.h"
#include "framework/ControlChoices.h"

#include <QStringList>

#include <vector>

// What the clinical forms' drop lists and combos offer.
namespace nidora::clinical {

// The nine blood groups a patient, mother or father is given, "XX" for not known, each stored
// as shown (with the digit zero).
std::vector<framework::DropListControl::Choice> bloodGroupChoices();

// Every coverage's name in the order of OBR:KNOMBRE, read through the thread's OBRASSOCIALES,
// which the caller has open.
QStringList coverageNames(data::Dictionary& data);

} // namespace nidora::clinical
