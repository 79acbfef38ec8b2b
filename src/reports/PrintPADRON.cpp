#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "core/Clock.h"
#include "core/Cp1252.h"
#include "core/TextClip.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::PACIENTES;

// The columns, in characters of the 8 point font, each shared by a field of line 1 and one of
// line 2 (the code alone stands under the caption of line 2).
enum Column { Code = 0, Name = 9, Dates = 48, Parents = 65, Group = 97, Address = 102 };

double at(int column)
{
    return column * columnWidth(8);
}

// The patients by name whose names begin from one initial to another, two lines each.
class PatientRoster final : public ReportLayout {
public:
    PatientRoster()
        : ReportLayout(Orientation::Landscape)
        , dateStamp_(shown("@D6", Clock::today()))
    {
    }

protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Lista de pacientes") }, dateStamp_);
        const QFont caption = courier(8, true);
        const std::pair<Column, const char*> first[]
            = { { Name, "Nombre" }, { Dates, "F.Nacimento" }, { Group, "Sexo" }, { Address, "Domicilio" } };
        for (const auto& [column, text] : first)
            band.text(at(column), y, QString::fromUtf8(text), caption);
        y += lineHeight(caption);
        const std::pair<Column, const char*> second[] = { { Code, "Código" }, { Name, "Cobertura Social" },
            { Dates, "Documento" }, { Parents, "Padres" }, { Group, "G.S." }, { Address, "Teléfono" } };
        for (const auto& [column, text] : second)
            band.text(at(column), y, QString::fromUtf8(text), caption);
        y += lineHeight(caption);
        band.rule(y + 20);
        return y + 40;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& p = static_cast<const PACIENTES&>(record);
        const std::pair<Column, QString> first[]
            = { { Code, shown("@n7", p.CODIGO) }, { Name, shownText("@s30", p.NOMBRE) },
                  { Dates, shown("@d6", p.FNACIMIENTO) }, { Parents, shownText("@s30", p.PADRE) },
                  { Group, shownText("@s1", p.SEXO) }, { Address, shownText("@s30", p.DOMICILIO) } };
        const std::pair<Column, QString> second[] = {
            { Name, shownText("@s20", p.OBRASOCIAL).leftJustified(22) + shownText("@s15", p.NROOBRASOCIAL) },
            { Dates, shownText("@s3", p.TIPODOCUMENTO).leftJustified(4) + shown("@n11", p.DOCUMENTO) },
            { Parents, shownText("@s30", p.MADRE) }, { Group, shownText("@s3", p.GRUPO) },
            { Address, shownText("@s30", p.TELEFONO) }
        };
        const double line = lineHeight(courier(8));
        printDetailBand({ 2 * line + 80, [=](BandPainter& band) {
                             const QFont font = courier(8);
                             for (const auto& [column, text] : first)
                                 band.text(at(column), 10, text, font);
                             for (const auto& [column, text] : second)
                                 band.text(at(column), 10 + line, text, font);
                             band.rule(2 * line + 50);
                         } });
    }

private:
    QString dateStamp_;
};

// The name sorts at or after the first initial, in the order of the name key, and its first
// letter is at or before the last initial as a reader of the list sees letters: without regard
// to case or accent, so that "ÁLVAREZ" is listed under A, while "ñandú" is under Ñ, after N.
bool rosterIncludes(const QString& name, const QString& from, const QString& to)
{
    const QString initial = name.left(1);
    return cp1252::compareAsKey(name, from) >= 0
        && (cp1252::compareBaseLetters(initial, to) <= 0 || cp1252::beginsWithBaseLetters(initial, to));
}

} // namespace

void PrintPADRON()
{
    PatientRoster layout;
    const QString from = clipped(views::AppGlobals.DLETRA);
    const QString to = clipped(views::AppGlobals.HLETRA);
    runLayout({ .procedure = "PrintPADRON",
                  .file = data::FileId::PACIENTES,
                  .key = "PAC:KNOMBRE",
                  .filter =
                      [from, to](const data::Record& r) {
                          return rosterIncludes(static_cast<const PACIENTES&>(r).NOMBRE, from, to);
                      } },
        layout);
}

} // namespace nidora::reports
