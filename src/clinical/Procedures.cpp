#include "clinical/Procedures.h"

#include "clinical/BrowsePACIENTES.h"
#include "clinical/ParentWindows.h"
#include "clinical/UpdatePACIENTES.h"

namespace nidora::clinical {

views::ProcedureTable procedures()
{
    // Whoever starts this folder's windows gets its patient form calling the real parents'
    // lists as its lookups.
    PatientFormLookups lookups;
    lookups.mothers = BrowseMADRES;
    lookups.fathers = BrowsePADRES;
    setPatientFormLookups(std::move(lookups));
    return { { QStringLiteral("BrowsePACIENTES"), BrowsePACIENTES },
        { QStringLiteral("BrowseMADRES"), BrowseMADRES }, { QStringLiteral("BrowsePADRES"), BrowsePADRES } };
}

} // namespace nidora::clinical
