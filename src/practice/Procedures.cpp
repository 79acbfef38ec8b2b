#include "practice/Procedures.h"

#include "clinical/ConsultationLookups.h"

#include "practice/Biblioteca.h"
#include "practice/BrowseAGENDA.h"
#include "practice/BrowseMEDICOS.h"
#include "practice/ReferenceTables.h"

namespace nidora::practice {

views::ProcedureTable procedures()
{
    // The consultation form looks reasons and pathologies up in the reference tables.
    clinical::ConsultationLookups lookups;
    lookups.reasonForm = UpdateMOTIVOS;
    lookups.pathologies = BrowseENFERMEDADES;
    clinical::setConsultationLookups(std::move(lookups));
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS }, { QStringLiteral("Biblioteca"), Biblioteca },
        { QStringLiteral("BrowseAGENDA"), BrowseAGENDA }, { QStringLiteral("Tablas"), Tablas } };
}

} // namespace nidora::practice
