#include "reports/Procedures.h"

#include "reports/Prompts.h"

namespace nidora::reports {

views::ProcedureTable procedures()
{
    return {
        { QStringLiteral("Pantalla1"), Pantalla1 },
        { QStringLiteral("Pantalla2"), Pantalla2 },
        { QStringLiteral("Pantalla3"), Pantalla3 },
        { QStringLiteral("Pantalla4"), Pantalla4 },
        { QStringLiteral("Pantalla5"), Pantalla5 },
        { QStringLiteral("Pantalla21"), Pantalla21 },
        { QStringLiteral("Pantalla22"), Pantalla22 },
        { QStringLiteral("Pantalla23"), Pantalla23 },
        { QStringLiteral("Pantalla24"), Pantalla24 },
        { QStringLiteral("Pantalla31"), Pantalla31 },
        { QStringLiteral("Pantalla32"), Pantalla32 },
        { QStringLiteral("Pantalla33"), Pantalla33 },
    };
}

} // namespace nidora::reports
