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

// Every name of a reference table in the order of its name key, read through the thread's
// buffer of the file, which the caller has open: the coverages (OBR:KNOMBRE), the
// consultation reasons (MOT:KMOTIVO) and the pathologies (TEN:KNOMBRE).
QStringList coverageNames(data::Dictionary& data);
QStringList reasonNames(data::Dictionary& data);
QStringList pathologyNames(data::Dictionary& data);

} // namespace nidora::clinical
