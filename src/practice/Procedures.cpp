#include "practice/Procedures.h"

#include "practice/Biblioteca.h"
#include "practice/BrowseAGENDA.h"
#include "practice/BrowseMEDICOS.h"

namespace nidora::practice {

views::ProcedureTable procedures()
{
    return { { QStringLiteral("BrowseMEDICOS"), BrowseMEDICOS }, { QStringLiteral("Biblioteca"), Biblioteca },
        { QStringLiteral("BrowseAGENDA"), BrowseAGENDA } };
}

} // namespace nidora::practice
