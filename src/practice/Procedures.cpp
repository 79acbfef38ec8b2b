#include "practice/Procedures.h"

#include "practice/Biblioteca.h"
#include "practice/BrowseMEDICOS.h"

namespace nidora::practice {

views::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS },
        { QStringLiteral("Biblioteca"), Biblioteca } };
}

} // namespace nidora::practice
