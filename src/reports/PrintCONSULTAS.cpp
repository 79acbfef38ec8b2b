// The consultations of one reason, and those of the patients of one coverage, between two
// dates, with their count.
#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "data/ScratchRecords.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::CONSULTAS;
using data::PACIENTES;
using views::AppGlobals;

class ConsultationList : public ReportLayout {
public:
    explicit ConsultationList(Labelled selection)
        : selection_(std::move(selection))
    {
    }

protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Informe de consultas") });
        y += selectionLine(band, y, { selection_ });
        y += selectionLine(band, y, { datesLabel() });
        return y;
    }
    std::optional<Band> groupFooter() override
    {
        const QString count = shown("@n10", detailsPrinted());
        return Band { 300,
            [count](BandPainter& band) {
                band.rule(0);
                labelledLine(band, 0, 80, { { QStringLiteral("Cantidad total de consultas:"), count } });
            } };
    }
    void printConsultation(const CONSULTAS& consultation)
    {
        const PACIENTES& patient = patientOf(consultation.PACIENTE);
        printDetailBand(consultationBand(consultation, studiesOf(consultation.CODIGO, 5000), &patient));
    }

private:
    Labelled selection_;
};

// By reason: the consultations of the reason in date order, read as they are.
class ReasonConsultations final : public ConsultationList {
public:
    ReasonConsultations()
        : ConsultationList(
            { QStringLiteral("Motivo de Consulta:"), shownText("@s25", AppGlobals.SELECTMOTIVO) })
    {
    }

protected:
    void printDetail(const data::Record& record) override
    {
        printConsultation(static_cast<const CONSULTAS&>(record));
    }
};

// By coverage: each OUTPUT row names a consultation, read again here with its patient; only
// those within the dates print.
class CoverageConsultations final : public ConsultationList {
public:
    CoverageConsultations()
        : ConsultationList({ QStringLiteral("Cobertura Social:"), shownText("@s20", AppGlobals.SELECTOBRAS) })
    {
    }

protected:
    void printDetail(const data::Record& record) override
    {
        const auto& row = static_cast<const data::OUTPUT&>(record);
        const CONSULTAS& consultation = joined<CONSULTAS>("CON:KCODIGO", [&](CONSULTAS& c) {
            c.CODIGO = row.LONG1;
            return true;
        });
        if (consultation.CODIGO == 0 || !withinDates(consultation.FECHA))
            return;
        printConsultation(consultation);
    }
};

} // namespace

void PrintCONSULTAS()
{
    ReasonConsultations layout;
    runLayout({ .procedure = "PrintCONSULTAS",
                  .file = data::FileId::CONSULTAS,
                  .key = "CON:KMOTIVO",
                  .range = selectedText(AppGlobals.SELECTMOTIVO),
                  .filter = datedWithinPrompt(&CONSULTAS::FECHA) },
        layout);
}

void PrintCONSULTAS2()
{
    CoverageConsultations layout;
    runLayout({ .procedure = "PrintCONSULTAS2",
                  .file = data::FileId::OUTPUT,
                  .key = "OUT:K1",
                  .joins = { data::FileId::CONSULTAS } },
        layout);
}

} // namespace nidora::reports
