#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::CONSULTAS;
using data::PACIENTES;

// The consultations of one patient between two dates, each with the studies it ordered.
class ConsultationHistory final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Historial de consultas") });
        y += selectionLine(band, y, { patientLabel(views::threadDictionary().buffer<PACIENTES>()) });
        y += selectionLine(band, y, { datesLabel() });
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& consultation = static_cast<const CONSULTAS&>(record);
        patientOf(consultation.PACIENTE);
        printDetailBand(consultationBand(consultation, studiesOf(consultation.CODIGO, 9000), nullptr));
    }
};

} // namespace

void PrintHISCLINICA()
{
    ConsultationHistory layout;
    runLayout({ .procedure = "PrintHISCLINICA",
                  .file = data::FileId::CONSULTAS,
                  .key = "CON:KPACIENTE",
                  .range = selectedPatient(),
                  .filter = datedWithinPrompt(&CONSULTAS::FECHA) },
        layout);
}

} // namespace nidora::reports
