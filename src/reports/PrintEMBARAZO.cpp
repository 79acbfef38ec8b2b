#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "views/ProgramGlobals.h"

namespace nidora::reports {
namespace {

using data::PACIENTES;

constexpr int kPoints = 8;

// The choices of an option group, each marked when the field holds its letter.
struct Option {
    const char* text;
    const char* stored;
};

// The patient's pregnancy and birth, as the patient form keeps them: the check boxes hold "1"
// when ticked, the option groups the letter of their choice.
class PrenatalInformation final : public ReportLayout {
protected:
    double pageHeader(BandPainter& band) override
    {
        double y = header(band, { QStringLiteral("Informacion prenatal") });
        y += selectionLine(band, y, { patientLabel(views::threadDictionary().buffer<PACIENTES>()) });
        return y;
    }
    void printDetail(const data::Record& record) override
    {
        const auto& p = static_cast<const PACIENTES&>(record);
        views::threadDictionary().buffer<PACIENTES>() = p;
        const double line = lineHeight(courier(kPoints, true)) + 30;
        const QFont value = courier(kPoints);
        const double inside = 7000 - 400;
        const QStringList notes = wrapped(p.EMBOBSERVACIONES, value, inside - 200);
        const QStringList navel = wrapped(shownText("@s150", p.OMBOBSERVACIONES), value, inside - 1400);
        QStringList remarks;
        for (const QString* each : { &p.PARTOOBSERVACIONES, &p.PARTOOBSERVACIONES2, &p.PARTOOBSERVACIONES3 })
            remarks << wrapped(shownText("@s150", *each), value, inside - 1400);
        const auto lines
            = [&](const QStringList& list) { return double(std::max<qsizetype>(list.size(), 1)); };

        printDetailBand({ line + 60, [=](BandPainter& band) {
                             labelledLine(band, 0, 0,
                                 { { QStringLiteral("Fecha Nacimiento:"), shown("@d6", p.FNACIMIENTO) } });
                         } });

        const double pregnancy = line * (5 + lines(notes)) + 200;
        print(
            { pregnancy + 100, [=](BandPainter& band) {
                 groupBox(band, QStringLiteral("Embarazo:"), pregnancy);
                 double y = 160;
                 labelledLine(band, 200, y,
                     { { QStringLiteral("Gestación N°"), shown("@n3b", p.NROGESTACION) },
                         { QStringLiteral("Semanas de Duración:"), shown("@n2", p.SEMANAS) },
                         { QStringLiteral("Obstetra:"), shownText("@s20", p.OBSTETRA) } });
                 y += line;
                 double x = 200;
                 for (const auto& [text, field] :
                     { std::pair { "Diabetes", &p.DIABETES }, std::pair { "Hipertensión", &p.HIPERTENSION },
                         std::pair { "Traumatismo", &p.TRAUMATISMO } }) {
                     band.check(x, y, field->trimmed() == QLatin1String("1"), QString::fromUtf8(text), value);
                     x += 1800;
                 }
                 y += line;
                 labelledLine(
                     band, 200, y, { { QStringLiteral("Infecciones:"), shownText("@s40", p.INFECCIONES) } });
                 y += line;
                 labelledLine(band, 200, y,
                     { { QStringLiteral("Medicación:"), shownText("@s40", p.MEDICACION) },
                         { QStringLiteral("Asma:"), shownText("@s30", p.ASMA) } });
                 y += line;
                 band.text(200, y, QStringLiteral("Observaciones:"), courier(kPoints, true));
                 y += line;
                 band.lines(400, y, notes, value);
             } });

        const double birth = line * (8 + lines(navel) + lines(remarks)) + 200;
        print({ birth + 100, [=](BandPainter& band) {
                   groupBox(band, QStringLiteral("Parto:"), birth);
                   double y = 160;
                   labelledLine(band, 200, y, { { QStringLiteral("Lugar:"), shownText("@s20", p.LUGAR) } });
                   band.check(
                       3000, y, p.CESAREA.trimmed() == QLatin1String("1"), QStringLiteral("Cesarea"), value);
                   band.text(4000, y, shownText("@s40", p.CAUSA), value);
                   y += line;
                   labelledLine(band, 200, y, { { QStringLiteral("Apgar:"), shownText("@s15", p.APGAR) } });
                   y += line;
                   options(band, y, QStringLiteral("Parto:"), p.EUTOSICO,
                       { { "Eutosico", "E" }, { "Distosico", "D" } });
                   y += line;
                   options(band, y, QStringLiteral("Anestecia:"), p.ANESTECIA,
                       { { "No", "N" }, { "Peridural", "P" }, { "Raquidea", "R" }, { "Total", "T" } });
                   y += line;
                   options(band, y, QStringLiteral("Posición:"), p.POSICION,
                       { { "Cefálica", "C" }, { "Podálica", "P" } });
                   y += line;
                   labelledLine(band, 200, y,
                       { { QStringLiteral("Peso:"), shownDecimal("@n6.3", p.PESO, 3) },
                           { QStringLiteral("Altura:"), shown("@n3", p.ALTURA) },
                           { QStringLiteral("Perímetro craneo:"), shownDecimal("@n5.2", p.PC, 2) } });
                   y += line;
                   labelledLine(band, 200, y,
                       { { QStringLiteral("Ombligo:"),
                           shown("@n3", p.OMBLIGODIAS) + QStringLiteral(" días") } });
                   y += line;
                   band.text(200, y, QStringLiteral("Ombligo Obs.:"), courier(kPoints, true));
                   y += std::max(line, band.lines(1600, y, navel, value));
                   band.text(200, y, QStringLiteral("Observaciones:"), courier(kPoints, true));
                   band.lines(1600, y, remarks, value);
               } });
    }

private:
    static void groupBox(BandPainter& band, const QString& title, double height)
    {
        band.box(QRectF(0, 60, band.width(), height), Qt::white);
        band.text(100, 0, title, courier(kPoints, true));
    }
    static void options(BandPainter& band, double y, const QString& label, const QString& stored,
        std::initializer_list<Option> choices)
    {
        band.text(200, y, label, courier(kPoints, true));
        double x = 1600;
        for (const Option& choice : choices) {
            band.check(x, y, stored.trimmed().compare(QLatin1String(choice.stored), Qt::CaseInsensitive) == 0,
                QString::fromUtf8(choice.text), courier(kPoints));
            x += 1400;
        }
    }
};

} // namespace

void PrintEMBARAZO()
{
    PrenatalInformation layout;
    runLayout({ .procedure = "PrintEMBARAZO",
                  .file = data::FileId::PACIENTES,
                  .key = "PAC:KCODIGO",
                  .range = selectedPatient() },
        layout);
}

} // namespace nidora::reports
