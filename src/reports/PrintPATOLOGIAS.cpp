#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::ENFERMEDADES;
using data::PACIENTES;
using views::AppGlobals;

// The cases of one pathology between two dates, with their count.
class PathologyCases final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Informe de patologias") });
        y += selectionLine(
            band, y, { { QStringLiteral("Patología:"), shownText("@s20", AppGlobals.SELECTPATOLOGIA) } });
        y += selectionLine(band, y, { datesLabel() });
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& pathology = static_cast<const ENFERMEDADES&>(record);
        const PACIENTES& patient = patientOf(pathology.PACIENTE);
        printDetailBand(pathologyBand(pathology, &patient));
    }
    std::optional<Band> groupFooter() override
    {
        const QString count = shown("@n7", detailsPrinted());
        return Band { 300, [count](BandPainter& band) {
                         band.rule(0);
                         labelledLine(band, 0, 80, { { QStringLiteral("Total de casos:"), count } });
                     } };
    }
};

} // namespace

void PrintPATOLOGIAS()
{
    PathologyCases layout;
    runLayout({ .procedure = "PrintPATOLOGIAS",
                  .file = data::FileId::ENFERMEDADES,
                  .key = "ENF:KENFERMEDAD",
                  .range = selectedText(AppGlobals.SELECTPATOLOGIA),
                  .filter = datedWithinPrompt(&ENFERMEDADES::FECHA) },
        layout);
}

} // namespace nidora::reports
