#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::ENFERMEDADES;
using data::PACIENTES;

// The pathologies of one patient between two dates.
class PathologyHistory final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Historial patologias") });
        y += selectionLine(band, y, { patientLabel(views::threadDictionary().buffer<PACIENTES>()) });
        y += selectionLine(band, y, { datesLabel() });
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& pathology = static_cast<const ENFERMEDADES&>(record);
        patientOf(pathology.PACIENTE);
        printDetailBand(pathologyBand(pathology, nullptr));
    }
};

} // namespace

void PrintHISPATOLOGIAS()
{
    PathologyHistory layout;
    runLayout({ .procedure = "PrintHISPATOLOGIAS",
                  .file = data::FileId::ENFERMEDADES,
                  .key = "ENF:KPACIENTE",
                  .range = selectedPatient(),
                  .filter = datedWithinPrompt(&ENFERMEDADES::FECHA) },
        layout);
}

} // namespace nidora::reports
