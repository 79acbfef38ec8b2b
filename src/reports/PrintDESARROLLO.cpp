#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "data/ScratchRecords.h"

namespace nidora::reports {
namespace {

using data::OUTPUT;

// Columns of the growth rows: date, age, weight, height, head circumference.
constexpr double kColumns[] = { 0, 1200, 2700, 3700, 4700 };

// The growth of the patient his prompt read: his birth and each consultation that measured
// him, one row each in date order.
class GrowthDevelopment final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Desarrollo crecimiento") });
        y += selectionLine(band, y, { patientLabel(views::threadDictionary().buffer<data::PACIENTES>()) });
        y += 60;
        const char* captions[] = { "Fecha", "Edad", "Peso", "Altura", "PC" };
        for (int i = 0; i < 5; ++i)
            band.text(kColumns[i], y, QString::fromLatin1(captions[i]), courier(8, true));
        y += lineHeight(courier(8, true));
        band.rule(y);
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& row = static_cast<const OUTPUT&>(record);
        const QString cells[] = { shown("@D6", row.LONG1),
            shown("@N3~a~", row.SHORT1) + shown("@N3~m~", row.SHORT2) + shown("@n3~d~", row.SHORT3),
            shownReal("@n6.3", row.REAL1), shownReal("@n5.1", row.REAL2), shownReal("@n4.1", row.REAL3) };
        const double line = lineHeight(courier(8));
        printDetailBand({ line + 80, [=](BandPainter& band) {
                             for (int i = 0; i < 5; ++i)
                                 band.text(kColumns[i], 20, cells[i], courier(8));
                             band.rule(line + 50);
                         } });
    }
};

} // namespace

void PrintDESARROLLO()
{
    GrowthDevelopment layout;
    runLayout({ .procedure = "PrintDESARROLLO", .file = data::FileId::OUTPUT, .key = "OUT:K4" }, layout);
}

} // namespace nidora::reports
