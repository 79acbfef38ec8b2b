#include "practice/Procedures.h"

#include "practice/BrowseMEDICOS.h"

namespace nidora::practice {

views::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS } };
}

} // namespace nidora::practice
