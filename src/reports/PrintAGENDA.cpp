#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "data/ScratchRecords.h"

namespace nidora::reports {
namespace {

using data::AGENDA;
using data::OUTPUT;

constexpr double kPatientX = 1400;
constexpr double kNotesX = 3700;
// A quarter of an inch between one day's slots and the next day's.
constexpr double kDayGap = 250;

// The appointment slots of a date range by date and time, free slots and every doctor's
// included, each day's followed by a gap.
class DailyAgenda final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Agenda diaria") });
        y += selectionLine(band, y, { datesLabel() });
        y += 60;
        band.text(0, y, QStringLiteral("Fecha / Hora"), courier(8, true));
        band.text(kPatientX, y, QStringLiteral("Paciente"), courier(8, true));
        band.text(kNotesX, y, QStringLiteral("Notas"), courier(8, true));
        y += lineHeight(courier(8, true));
        band.rule(y);
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& row = static_cast<const OUTPUT&>(record);
        if (day_ != 0 && row.LONG1 != day_)
            print({ kDayGap, [](BandPainter&) {} });
        day_ = row.LONG1;
        // The row names its slot by date, time and doctor; a slot deleted since prints blank.
        const AGENDA& slot = joined<AGENDA>("AGE:KFECHA", [&](AGENDA& a) {
            a.FECHA = row.LONG1;
            a.HORA = row.LONG2;
            a.MEDICO = std::uint8_t(row.LONG3);
            return true;
        });
        const QString cells[] = { shown("@D6", row.LONG1), shown("@n7b", slot.PACIENTE),
            shown("@T1", row.LONG2), shownText("@s30", slot.NOMBRE), shownText("@s50", slot.COMENTARIOS) };
        const double line = lineHeight(courier(8));
        printDetailBand({ 2 * line + 80, [=](BandPainter& band) {
                             band.text(0, 10, cells[0], courier(8));
                             band.text(kPatientX, 10, cells[1], courier(8));
                             band.text(0, 10 + line, cells[2], courier(8));
                             band.text(kPatientX, 10 + line, cells[3], courier(8));
                             band.text(kNotesX, 10 + line, cells[4], courier(8));
                             band.rule(2 * line + 50);
                         } });
    }

private:
    std::int32_t day_ = 0;
};

} // namespace

void PrintAGENDA()
{
    DailyAgenda layout;
    runLayout({ .procedure = "PrintAGENDA",
                  .file = data::FileId::OUTPUT,
                  .key = "OUT:K5",
                  .joins = { data::FileId::AGENDA } },
        layout);
}

} // namespace nidora::reports
