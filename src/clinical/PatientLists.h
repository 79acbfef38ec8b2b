#pragma once

#include "views/ListColumns.h"
#include "views/SortOrder.h"

#include <vector>

// What the patient list and the patient lookup show of PACIENTES: their tabs (each a key with
// its locator), their columns and the colour of a row by the patient's sex.
namespace nidora::clinical {

// "Indice x Nombre", "Indice x Código", "Indice x Grupo Sanguineo", "Indice x Madre" and
// "Indice x Cobertura Social", in that order. The keys leave out the patients whose key fields
// are all blank, so such a patient is missing from that tab only.
std::vector<views::SortOrder> patientListOrders();
// Code, name, blood group, birth date, the coverage name and member number under one heading
// "Cobertura Social", telephone.
std::vector<views::ListColumn> patientListColumns();

// The lookup: one tab by name; name, code and birth date.
std::vector<views::SortOrder> patientLookupOrders();
std::vector<views::ListColumn> patientLookupColumns();

// Girls in purple, everybody else (a blank sex included) in blue, on white; a highlighted row
// the other way round. The same for every column of the row.
views::RowColours patientRowColours(const data::Record& record);

} // namespace nidora::clinical
