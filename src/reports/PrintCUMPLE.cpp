#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "data/ScratchRecords.h"

namespace nidora::reports {
namespace {

using data::OUTPUT;

constexpr double kDay = 100;
constexpr double kPatient = 700;
constexpr double kYears = 3800;
constexpr double kFooter = 300;

// The patients born in one month, by day, with the age each reaches this year; the pages are
// numbered at their foot.
class Birthdays final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        headerPictures(band);
        band.text(1700, 220, QStringLiteral("AGENDA DE CUMPLEAÑOS"), arial(11, true));
        band.text(1700, 220 + lineHeight(arial(11, true)),
            QStringLiteral("Cumpleaños del mes:") + QLatin1Char(' ') + month_, arial(11, true));
        return 800;
    }
    double pageFooterHeight() const override { return kFooter; }
    void pageFooter(BandPainter& band, int pageNumber) override
    {
        // "Pág." and the number in four places.
        band.textRight(band.width(), 60, shown("@pPág. <<<#p", pageNumber), courier(8));
    }
    std::optional<Band> groupHeader() override
    {
        const double line = lineHeight(courier(9, true));
        return Band { line + 160, [line](BandPainter& band) {
                         band.box(QRectF(0, 20, 4500, line + 80), QColor(0xd8, 0xd8, 0xd8));
                         band.text(kDay, 60, QStringLiteral("Día"), courier(9, true));
                         band.text(kPatient, 60, QStringLiteral("Paciente"), courier(9, true));
                         band.text(kYears, 60, QStringLiteral("Años"), courier(9, true));
                     } };
    }
    std::optional<Band> groupFooter() override
    {
        return Band { 100, [](BandPainter& band) { band.rule(40, 0, 4500); } };
    }
    void printDetail(const data::Record& record) override
    {
        const auto& row = static_cast<const OUTPUT&>(record);
        if (month_.isEmpty())
            month_ = shown("@n02", row.SHORT2);
        const QString cells[] = { shown("@n2", row.SHORT1),
            shown("@n7", row.LONG1) + QLatin1Char(' ') + shownText("@s30", row.STRING1),
            shown("@n2", row.LONG2) };
        printDetailBand({ lineHeight(courier(9)) + 20, [=](BandPainter& band) {
                             band.text(kDay, 10, cells[0], courier(9));
                             band.text(kPatient, 10, cells[1], courier(9));
                             band.text(kYears, 10, cells[2], courier(9));
                         } });
    }

private:
    QString month_;
};

} // namespace

void PrintCUMPLE()
{
    Birthdays layout;
    runLayout({ .procedure = "PrintCUMPLE",
                  .file = data::FileId::OUTPUT,
                  .key = "OUT:K3",
                  .caption = QStringLiteral("Progreso...") },
        layout);
}

} // namespace nidora::reports
