#include "practice/Procedures.h"

#include "practice/BrowseMEDICOS.h"

namespace nidora::practice {

shell::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS } };
}

} // namespace nidora::practice
