#include "clinical/UpdatePACIENTES.h"

#include "clinical/PatientForm.h"

namespace nidora::clinical {
namespace {

PatientFormLookups& installedLookups()
{
    static PatientFormLookups lookups;
    return lookups;
}

} // namespace

void setPatientFormLookups(PatientFormLookups lookups)
{
    installedLookups() = std::move(lookups);
}

const PatientFormLookups& patientFormLookups()
{
    return installedLookups();
}

void UpdatePACIENTES()
{
    PatientForm().run();
}

} // namespace nidora::clinical
