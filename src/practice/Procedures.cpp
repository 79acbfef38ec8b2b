#include "practice/Procedures.h"

#include "practice/BrowseMEDICOS.h"
#include "practice/ReferenceTables.h"

namespace nidora::practice {

views::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS }, { QStringLiteral("Tablas"), Tablas } };
}

} // namespace nidora::practice
