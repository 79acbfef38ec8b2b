#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "data/ScratchRecords.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

// The names of the people of one blood group, patients, mothers and fathers in one list.
class BloodGroupList final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Lista de"), QStringLiteral("Grupos sanguineos") });
        y += selectionLine(
            band, y, { { QStringLiteral("Grupo:"), shownText("@s3", views::AppGlobals.SELECTGRUPO) } });
        band.rule(y + 30);
        y += 80;
        band.text(0, y, QStringLiteral("Nombre"), courier(8, true));
        return y + lineHeight(courier(8, true));
    }
    void printDetail(const data::Record& record) override
    {
        const QString name = shownText("@s30", static_cast<const data::OUTPUT&>(record).STRING1);
        printDetailBand({ lineHeight(courier(8)) + 20,
            [name](BandPainter& band) { band.text(0, 10, name, courier(8)); } });
    }
};

} // namespace

void PrintGRUPOS()
{
    BloodGroupList layout;
    runLayout({ .procedure = "PrintGRUPOS", .file = data::FileId::OUTPUT, .key = "OUT:K1" }, layout);
}

} // namespace nidora::reports
