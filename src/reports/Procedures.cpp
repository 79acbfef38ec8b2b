#include "reports/Procedures.h"

#include "reports/Launchers.h"
#include "reports/Prompts.h"
#include "reports/StatisticsWindows.h"

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
        { QStringLiteral("Informes"), Informes },
        { QStringLiteral("Graficos"), Graficos },
        { QStringLiteral("PantallaG1"), PantallaG1 },
        { QStringLiteral("PantallaG2"), PantallaG2 },
        { QStringLiteral("PantallaG3"), PantallaG3 },
        { QStringLiteral("PantallaG4"), PantallaG4 },
        { QStringLiteral("PantallaG21"), PantallaG21 },
        { QStringLiteral("PantallaG22"), PantallaG22 },
        { QStringLiteral("PantallaG23"), PantallaG23 },
        { QStringLiteral("PantallaG24"), PantallaG24 },
    };
}

} // namespace nidora::reports
