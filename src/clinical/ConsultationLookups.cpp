#include "clinical/ConsultationLookups.h"

namespace nidora::clinical {
namespace {

ConsultationLookups& installedLookups()
{
    static ConsultationLookups lookups;
    return lookups;
}

} // namespace

void setConsultationLookups(ConsultationLookups lookups)
{
    installedLookups() = std::move(lookups);
}

const ConsultationLookups& consultationLookups()
{
    return installedLookups();
}

} // namespace nidora::clinical
