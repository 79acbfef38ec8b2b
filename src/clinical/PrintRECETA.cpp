// The printed prescription: one page for the consultation, headed by the current doctor's
// data, with the consultation's date, the patient's age, name and coverage, and the text.
// Positions are thousandths of an inch from the top left of the band they belong to.
#include "clinical/Prescription.h"

#include "clinical/ClinicalHistoryRules.h"

#include "core/Picture.h"
#include "core/PictureFormat.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/FontSubstitution.h"
#include "framework/MessageBoxes.h"
#include "views/DictionarySetup.h"
#include "views/ProgramPreviewer.h"
#include "views/ReportProgress.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace nidora::clinical {
namespace {

constexpr QPointF kHeader { 500, 500 };
constexpr QPointF kDetail { 500, 1500 };
constexpr double kBandWidth = 7000;
// A long text runs on down to the page footer's top, 8800 below the detail area's top, and
// then on to the next page, under the doctor's data again, from the area's top.
constexpr double kTextFloor = 8800;
constexpr double kTextTopOnLaterPages = 83;
constexpr QRectF kTextBox { 229, 875, 5875, 3200 };

// The doctor's data down the header, the first three in the larger type.
struct HeaderLine {
    double y;
    const char* picture;
    QString PrescriptionValues::*value;
    bool large;
};
constexpr HeaderLine kHeaderLines[] = {
    { 52, "@s30", &PrescriptionValues::NOMBREMEDICO, true },
    { 188, "@s20", &PrescriptionValues::MATRICULAMEDICO, true },
    { 313, "@s30", &PrescriptionValues::MEDICOESPECIALIDAD, true },
    { 448, "@s30", &PrescriptionValues::MEDICODIRECCION1, false },
    { 552, "@s30", &PrescriptionValues::MEDICODIRECCION2, false },
    { 656, "@s30", &PrescriptionValues::MEDICOOTROS, false },
    { 760, "@s40", &PrescriptionValues::MEDICOMAIL, false },
};

QString shown(const char* picture, const QString& text)
{
    return formatText(*parsePicture(QString::fromLatin1(picture)), text);
}

QString shown(const char* picture, std::int64_t value)
{
    return formatLong(*parsePicture(QString::fromLatin1(picture)), value);
}

class PrescriptionBands final : public views::ReportBands {
public:
    PrescriptionBands(data::Dictionary& data, const PrescriptionValues& values)
        : data_(data)
        , values_(values)
    {
    }

    void detail(const data::Record& record) override
    {
        const auto& consultation = static_cast<const data::CONSULTAS&>(record);
        readPatient(data_, consultation.PACIENTE);
        const data::PACIENTES& patient = data_.buffer<data::PACIENTES>();

        // At most one consultation has the code: each one printed starts a page of its own.
        views::ReportPage page = views::ReportPage::portrait();
        auto painter = std::make_unique<QPainter>(&page);
        header(*painter);
        painter->translate(kDetail);
        const QFont label = framework::describedPageFont(QStringLiteral("Courier New"), 9, true);
        const QFont age = framework::describedPageFont(QStringLiteral("Courier New"), 8);
        text(*painter, label, { 219, 83 }, QStringLiteral("Fecha:"));
        text(*painter, label, { 698, 83 }, shown("@D6", consultation.FECHA));
        text(*painter, age, { 1719, 94 }, QStringLiteral("Edad:"));
        text(*painter, age, { 2104, 94 }, shown("@N3~a~", consultation.ANIOS));
        text(*painter, age, { 2417, 94 }, shown("@N3~m~", consultation.MESES));
        text(*painter, age, { 2740, 94 }, shown("@N3~d~", consultation.DIAS));
        text(*painter, label, { 219, 427 }, shown("@s30", patient.NOMBRE));
        text(*painter, label, { 229, 615 }, shown("@s20", patient.OBRASOCIAL));
        text(*painter, label, { 1781, 615 }, shown("@s15", patient.NROOBRASOCIAL));
        const QFont body = framework::describedPageFont(QStringLiteral("Arial"), 10);
        painter->setFont(body);
        const QFontMetricsF metrics(body, &page);
        double y = kTextBox.top();
        for (const QString& line : textLines(values_.RECETA, body, page)) {
            if (y + metrics.height() > kTextFloor && y > kTextTopOnLaterPages) {
                // The rest of the text goes on the next page.
                painter->end();
                pages_.push_back(std::move(page));
                page = views::ReportPage::portrait();
                painter = std::make_unique<QPainter>(&page);
                header(*painter);
                painter->translate(kDetail);
                painter->setFont(body);
                y = kTextTopOnLaterPages;
            }
            painter->drawText(QPointF(kTextBox.left(), y + metrics.ascent()), line);
            y += metrics.lineSpacing();
        }
        painter->end();
        pages_.push_back(std::move(page));
    }
    int pageCount() const override { return int(pages_.size()); }
    std::vector<views::ReportPage> closePages() override { return std::move(pages_); }

private:
    static void text(QPainter& painter, const QFont& font, QPointF at, const QString& value)
    {
        painter.setFont(font);
        painter.drawText(QRectF(at, QSizeF(kBandWidth - at.x(), 400)),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, value);
    }
    // The text's lines as the box breaks them: its own line breaks, however they were typed,
    // and words wrapped at the box's width.
    static QStringList textLines(QString text, const QFont& font, QPaintDevice& page)
    {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QStringList lines;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            if (paragraph.isEmpty()) {
                lines << QString();
                continue;
            }
            QTextLayout layout(paragraph, font, &page);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(kTextBox.width());
                lines << paragraph.mid(line.textStart(), line.textLength());
            }
            layout.endLayout();
        }
        return lines;
    }

    void header(QPainter& painter) const
    {
        painter.save();
        painter.translate(kHeader);
        const QFont name = framework::describedPageFont(QStringLiteral("Courier New"), 8, true);
        const QFont address = framework::describedPageFont(QStringLiteral("Courier New"), 7, true);
        for (const HeaderLine& line : kHeaderLines)
            text(painter, line.large ? name : address, { 208, line.y },
                shown(line.picture, values_.*line.value));
        painter.drawLine(QLineF(52, 927, 52 + 6905, 927));
        painter.restore();
    }

    data::Dictionary& data_;
    const PrescriptionValues& values_;
    std::vector<views::ReportPage> pages_;
};

} // namespace

void PrintRECETA()
{
    const std::unique_ptr<views::ReportPreviewer> previewer = views::programPreviewer();
    if (!previewer) {
        framework::showMessage(
            QStringLiteral("No se puede mostrar la receta: el programa no tiene vista previa."));
        return;
    }
    data::Dictionary& data = views::threadDictionary();
    const PrescriptionValues& values = prescriptionValues();
    const std::int32_t consultation = values.PrescriptionConsultation;
    PrescriptionBands bands(data, values);
    views::runReport({ .procedure = QStringLiteral("PrintRECETA"),
        .file = data.relation(data::FileId::CONSULTAS),
        .order = { &data.access(data::FileId::CONSULTAS).key("CON:KCODIGO"), views::LocatorKind::None, {},
            [consultation] { return std::vector<data::FieldValue> { std::int64_t(consultation) }; } },
        .bands = bands,
        .previewer = *previewer });
}

} // namespace nidora::clinical
