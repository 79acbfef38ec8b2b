#pragma once

#include "views/ListColumns.h"

#include <vector>

namespace nidora::data {
struct AGENDA;
}

// What the agenda's day list shows of each AGENDA record.
namespace nidora::practice {

// A slot nobody holds: no name and no note (trailing blanks aside). A slot with only a note
// is taken.
bool isFreeSlot(const data::AGENDA& slot);

// Free slots in black on light yellow, every other row in black on white; highlighted, the
// ground's colour on dark blue. The same for every column.
views::RowColours agendaRowColours(const data::Record& record);

// "Fecha", "Hora", "Dr.", "Paciente" and "Notas".
std::vector<views::ListColumn> agendaColumns();

} // namespace nidora::practice
