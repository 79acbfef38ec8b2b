#include "reports/Procedures.h"

#include "reports/Launchers.h"
#include "reports/StatisticsWindows.h"

namespace nidora::reports {

views::ProcedureTable procedures()
{
    return {
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
