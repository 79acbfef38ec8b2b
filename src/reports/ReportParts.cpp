#include "reports/ReportParts.h"

#include "core/TextClip.h"
#include "reports/ReportRun.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

namespace {

constexpr double kRuleGap = 60;

// Two memos side by side, each with its label over it, in the two halves of the band.
struct SideBySide {
    QString leftLabel;
    QStringList left;
    QString rightLabel;
    QStringList right;

    SideBySide(const QString& leftLabel_, const QString& leftText, const QString& rightLabel_,
        const QString& rightText, double width)
        : leftLabel(leftLabel_)
        , left(wrapped(leftText, courier(8), width / 2 - 100))
        , rightLabel(rightLabel_)
        , right(wrapped(rightText, courier(8), width / 2 - 100))
    {
    }
    double height() const
    {
        return lineHeight(courier(8, true))
            + lineHeight(courier(8)) * double(std::max(left.size(), right.size()));
    }
    void draw(BandPainter& band, double y) const
    {
        const double half = band.width() / 2;
        band.text(0, y, leftLabel, courier(8, true));
        band.text(half, y, rightLabel, courier(8, true));
        const double below = y + lineHeight(courier(8, true));
        band.lines(0, below, left, courier(8));
        band.lines(half, below, right, courier(8));
    }
};

} // namespace

double columnWidth(int points)
{
    // Courier's characters all advance six tenths of the size.
    return points * 1000.0 / 72 * 0.6;
}

double labelledLine(BandPainter& band, double x, double y, std::initializer_list<Labelled> items, int points)
{
    const double column = columnWidth(points);
    double at = x;
    for (const Labelled& item : items) {
        if (!item.label.isEmpty()) {
            band.text(at, y, item.label, courier(points, true));
            at += column * double(item.label.size() + 1);
        }
        band.text(at, y, item.value, courier(points));
        at += column * double(item.value.size() + 2);
    }
    return lineHeight(courier(points, true));
}

double selectionLine(BandPainter& band, double y, std::initializer_list<Labelled> items)
{
    return labelledLine(band, 0, y, items, 8);
}

Labelled patientLabel(const data::PACIENTES& patient)
{
    return { QStringLiteral("Paciente:"),
        shown("@n7", patient.CODIGO) + QLatin1Char(' ') + shownText("@s30", patient.NOMBRE) };
}

Labelled datesLabel()
{
    return { QStringLiteral("Fechas:"),
        shown("@D6", views::AppGlobals.DF) + QLatin1Char(' ') + shown("@D6", views::AppGlobals.HF) };
}

QString studiesOf(std::int32_t consultation, int limit)
{
    data::Dictionary& data = views::threadDictionary();
    data::AccessObject& studies = data.access<data::ANALISIS>();
    auto& study = data.buffer<data::ANALISIS>();
    study = data::ANALISIS {};
    study.CONSULTA = consultation;
    studies.setOrder(&studies.key("ANA:KCONSULTA"), true);
    QString text;
    while (studies.next() == data::AccessResult::Ok && study.CONSULTA == consultation) {
        text = clipped(text) + clipped(study.ANALISIS_) + QStringLiteral(" - ") + clipped(study.RESULTADOS)
            + QStringLiteral("\r\n");
    }
    return text.left(limit);
}

namespace {

// A band under the rule that opens it, after the line naming its patient when one is given:
// `draw` prints the rest from the y it is handed, in the height given for it.
Band ruledBand(double height, const data::PACIENTES* patient, std::function<void(BandPainter&, double)> draw)
{
    const double patientLine = patient ? lineHeight(courier(8, true)) : 0;
    return { kRuleGap + patientLine + height + kRuleGap, [=](BandPainter& band) {
                band.rule(0);
                if (patient)
                    labelledLine(band, 0, kRuleGap, { patientLabel(*patient) });
                draw(band, kRuleGap + patientLine);
            } };
}

} // namespace

Band consultationBand(const data::CONSULTAS& c, const QString& studies, const data::PACIENTES* patient)
{
    const double line = lineHeight(courier(8, true));
    const SideBySide symptoms(QStringLiteral("Sintomatología:"), c.SINTOMATOLOGIA,
        QStringLiteral("Medicación:"), c.MEDICACION, 7000);
    const SideBySide orders(
        QStringLiteral("Estudios ordenados:"), studies, QStringLiteral("Notas:"), c.OBSERVACIONES, 7000);
    return ruledBand(
        4 * line + symptoms.height() + orders.height(), patient, [=](BandPainter& band, double y) {
            y += labelledLine(band, 0, y,
                { { QStringLiteral("Fecha:"), shown("@D6", c.FECHA) },
                    { QStringLiteral("Edad:"),
                        shown("@N3~a~", c.ANIOS) + shown("@N3~m~", c.MESES) + shown("@N3~d~", c.DIAS) },
                    { QStringLiteral("Peso:"), shownDecimal("@n6.3", c.PESO, 3) },
                    { QStringLiteral("Altura:"), shownDecimal("@n5.1", c.ALTURA, 1) },
                    { QStringLiteral("PC:"), shownDecimal("@n5.1", c.PC, 1) } });
            y += labelledLine(band, 0, y,
                { { QStringLiteral("Temp:"), shownDecimal("@n4.1", c.TEMPERATURA, 1) },
                    { QStringLiteral("FC:"), shown("@n3", c.FC) },
                    { QStringLiteral("FR:"), shownDecimal("@n3", c.FR, 2) },
                    { QStringLiteral("TA:"),
                        shown("@n3", c.TA1) + QLatin1Char('-') + shown("@n3", c.TA2) } });
            symptoms.draw(band, y);
            y += symptoms.height();
            y += labelledLine(band, 0, y,
                { { QStringLiteral("Diagnóstico posible:"), shownText("@s40", c.DIAGNOSTICOP) } });
            y += labelledLine(band, 0, y,
                { { QStringLiteral("Diagnóstico confirmado:"), shownText("@s40", c.DIAGNOSTICOF) } });
            orders.draw(band, y);
        });
}

Band pathologyBand(const data::ENFERMEDADES& e, const data::PACIENTES* patient)
{
    const double line = lineHeight(courier(8, true));
    const QStringList notes = wrapped(e.OBSERVACIONES, courier(8), 7000 - 800);
    const double height = line + std::max(1.0, double(notes.size())) * lineHeight(courier(8));
    return ruledBand(height, patient, [=](BandPainter& band, double y) {
        y += labelledLine(band, 0, y,
            { { QStringLiteral("Fecha:"), shown("@D6", e.FECHA) },
                { QStringLiteral("Edad:"),
                    shown("@n3~a~", e.ANIOS) + shown("@n3~m~", e.MESES) + shown("@N3~d~", e.DIAS) },
                { QStringLiteral("Patología:"), shownText("@s20", e.ENFERMEDAD) } });
        band.text(0, y, QStringLiteral("Notas:"), courier(8, true));
        band.lines(800, y, notes, courier(8));
    });
}

} // namespace nidora::reports
