#include "clinical/Procedures.h"

#include "clinical/BrowsePACIENTES.h"

namespace nidora::clinical {

views::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowsePACIENTES"), BrowsePACIENTES } };
}

} // namespace nidora::clinical
