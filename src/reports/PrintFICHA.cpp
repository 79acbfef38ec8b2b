#include "reports/ReportParts.h"
#include "reports/ReportRun.h"
#include "reports/Reports.h"

#include "core/Clock.h"
#include "framework/ControlLabels.h"
#include "views/ProgramGlobals.h"

#include <QDir>
#include <QImageReader>

namespace nidora::reports {
namespace {

using data::MADRES;
using data::PACIENTES;
using data::PADRES;

constexpr int kPoints = 9;
// The photo at the top right, beside the patient's first lines.
const QRectF kPhoto(5300, 0, 1700, 1500);

// A photo file named by the photo row: a relative name is in the working directory.
QImage photoOf(std::int32_t patient)
{
    const data::FOTOS& photo = joined<data::FOTOS>("FOT:KPACIENTE", [&](data::FOTOS& f) {
        f.PACIENTE = patient;
        return true;
    });
    const QString name = photo.ARCHIVO.trimmed();
    if (name.isEmpty())
        return {};
    QImageReader reader(QDir::current().filePath(name));
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    return image.isNull()
        ? image
        : image.scaled(kPhoto.size().toSize() / 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A parent's box: the name, the blood group and the hereditary history.
Band parentBox(const QString& title, const QString& name, const QString& group, const QString& history)
{
    const double line = lineHeight(courier(kPoints, true));
    const QStringList lines = wrapped(history, courier(8), 7000 - 400);
    const double height = 3 * line + double(lines.size()) * lineHeight(courier(8)) + 200;
    return { height + 120, [=](BandPainter& band) {
                band.box(QRectF(0, 60, band.width(), height), Qt::white);
                double y = 140;
                y += labelledLine(band, 100, y,
                    { { title, shownText("@s30", name) },
                        { QStringLiteral("Grupo Sanguineo:"), shownText("@s3", group) } },
                    kPoints);
                band.text(100, y, QStringLiteral("Antecedentes Hereditarios:"), courier(kPoints, true));
                y += line;
                band.lines(200, y, lines, courier(8));
            } };
}

// The patient's card: his own data with his photo, then his mother's and his father's.
class PatientCard final : public ReportLayout {
public:
    PatientCard()
        : dateStamp_(shown("@d6", Clock::today()))
    {
    }

protected:
    double pageHeader(BandPainter& band) override
    {
        return header(band, { QStringLiteral("Ficha de paciente") }, dateStamp_);
    }
    void printDetail(const data::Record& record) override
    {
        const auto& patient = static_cast<const PACIENTES&>(record);
        // A parent is joined by name; a blank name names nobody, and of two parents of one name
        // the first is taken.
        const MADRES& mother = joined<MADRES>("MAD:KNOMBRE", [&](MADRES& m) {
            m.NOMBRE = patient.MADRE;
            return !patient.MADRE.trimmed().isEmpty();
        });
        const PADRES& father = joined<PADRES>("PAD:KNOMBRE", [&](PADRES& f) {
            f.NOMBRE = patient.PADRE;
            return !patient.PADRE.trimmed().isEmpty();
        });
        printDetailBand(ownData(patient, photoOf(patient.CODIGO)));
        print(parentBox(QStringLiteral(" Madre: "), mother.NOMBRE, mother.GRUPO, mother.ANTECEDENTES));
        print(parentBox(QStringLiteral(" Padre: "), father.NOMBRE, father.GRUPO, father.ANTECEDENTES));
    }

private:
    static Band ownData(const PACIENTES& p, const QImage& photo)
    {
        const double line = lineHeight(courier(kPoints, true)) + 40;
        const double height = std::max(6 * line, kPhoto.height()) + 100;
        return { height,
            [=](BandPainter& band) {
                double y = 0;
                const auto next = [&](std::initializer_list<Labelled> items) {
                    labelledLine(band, 0, y, items, kPoints);
                    y += line;
                };
                next({ { QStringLiteral("Paciente:"),
                           shown("@n7", p.CODIGO) + QLatin1Char(' ') + shownText("@s30", p.NOMBRE) },
                    { QStringLiteral("Sexo:"), shownText("@s1", p.SEXO) } });
                next({ { QStringLiteral("Domicilio:"), shownText("@s30", p.DOMICILIO) } });
                next({ { QStringLiteral("Tel.:"), shownText("@s30", p.TELEFONO) } });
                next({ { QStringLiteral("Documento N°"),
                    shownText("@s3", p.TIPODOCUMENTO) + QLatin1Char(' ') + shown("@n11", p.DOCUMENTO) } });
                next({ { QStringLiteral("Cobertura Social:"), shownText("@s20", p.OBRASOCIAL) },
                    { QStringLiteral("N°"), shownText("@s10", p.NROOBRASOCIAL) } });
                band.box(QRectF(0, y - 20, kPhoto.left() - 100, line), QColor(0xd8, 0xd8, 0xd8), false);
                next({ { QStringLiteral("Fecha de Nacimiento:"), shown("@d6", p.FNACIMIENTO) },
                    { QStringLiteral("Grupo Sanguineo:"), shownText("@s3", p.GRUPO) } });
                if (!photo.isNull()) {
                    const QSizeF fitted = QSizeF(photo.size()).scaled(kPhoto.size(), Qt::KeepAspectRatio);
                    band.image(QRectF(kPhoto.topRight() - QPointF(fitted.width(), 0), fitted), photo);
                }
            } };
    }

    QString dateStamp_;
};

} // namespace

void PrintFICHA()
{
    PatientCard layout;
    runLayout({ .procedure = "PrintFICHA",
                  .file = data::FileId::PACIENTES,
                  .key = "PAC:KCODIGO",
                  .range = selectedPatient(),
                  .preview = { .zoom = QStringLiteral("Page Width") } },
        layout);
}

} // namespace nidora::reports
