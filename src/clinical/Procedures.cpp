#include "clinical/Procedures.h"

#include "clinical/BrowsePACIENTES.h"
#include "clinical/Camera.h"
#include "clinical/ClinicalForms.h"
#include "clinical/GrowthCharts.h"
#include "clinical/ParentWindows.h"
#include "clinical/Prescription.h"
#include "clinical/UpdatePACIENTES.h"

namespace nidora::clinical {

views::ProcedureTable procedures()
{
    // Whoever starts this folder's windows gets its patient form calling the real parents'
    // lists as its lookups, and the real forms and charts of the patient's history.
    PatientFormLookups lookups;
    lookups.mothers = BrowseMADRES;
    lookups.fathers = BrowsePADRES;
    lookups.consultationForm = UpdateCONSULTAS;
    lookups.pathologyForm = UpdateENFERMEDADES;
    lookups.vaccinationForm = UpdateVACUNAS;
    lookups.growthChart = growthChart;
    lookups.camera = Camera;
    lookups.prescription = prescription;
    setPatientFormLookups(std::move(lookups));
    return { { QStringLiteral("BrowsePACIENTES"), BrowsePACIENTES },
        { QStringLiteral("BrowseMADRES"), BrowseMADRES }, { QStringLiteral("BrowsePADRES"), BrowsePADRES } };
}

} // namespace nidora::clinical
