// The patient form with the real forms of the patient's history: each takes the patient as the
// form holds him, so ages come from the birth date on screen, saved or not, and whatever they
// write shows at once in every list of the form.
#include "PatientFormFixture.h"

#include "clinical/ClinicalForms.h"
#include "clinical/ConsultationLookups.h"
#include "clinical/GrowthCharts.h"

#include "core/AgeAtDate.h"
#include "core/Date.h"
#include "data/ClinicalRecords.h"
#include "data/ReferenceRecords.h"
#include "data/ScratchRecords.h"
#include "platform/Chart.h"
#include "platform/RecordingChart.h"

#include <QAbstractItemView>
#include <QLabel>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::CONSULTAS;
using data::ENFERMEDADES;
using data::PACIENTES;
using test::patient;

class PatientFormChildFormsTest : public test::PatientFormTest {
protected:
    PatientFormChildFormsTest()
    {
        setConsultationLookups({});
        PatientFormLookups lookups;
        lookups.consultationForm = UpdateCONSULTAS;
        lookups.pathologyForm = UpdateENFERMEDADES;
        lookups.vaccinationForm = UpdateVACUNAS;
        lookups.growthChart = growthChart;
        setPatientFormLookups(std::move(lookups));
        data::TABENFERMED asthma;
        asthma.NOMBRE = QStringLiteral("ASMA");
        store(asthma);
    }

    // The age a child form shows in its three labels ("?CON:" or "?ENF:").
    QString ageShown(const char* prefix) const
    {
        QStringList parts;
        for (const char* part : { "ANIOS", "MESES", "DIAS" }) {
            auto* shown = qobject_cast<QLabel*>(driver.find(QString::fromLatin1(prefix) + part));
            parts << (shown ? shown->text() : QStringLiteral("<no label>"));
        }
        return parts.join(u' ');
    }
    int rowsShown(const QString& list) const
    {
        auto* table = qobject_cast<QAbstractItemView*>(driver.find(list));
        return table ? table->model()->rowCount() : -1;
    }
    static QString ageText(const Age& age)
    {
        return QStringLiteral("%1años %2meses %3días").arg(age.years).arg(age.months).arg(age.days);
    }

    platform::RecordingChartMaker charts;
    platform::ChartService::Override useCharts { charts };
};

struct BirthDateCase {
    const char* name;
    bool stored; // a saved patient whose birth date is corrected on the form, or a new one
};

void PrintTo(const BirthDateCase& c, std::ostream* out)
{
    *out << c.name;
}

class AgesFromTheFormsBirthDate : public PatientFormChildFormsTest,
                                  public testing::WithParamInterface<BirthDateCase> { };

// A consultation and a pathology added before the birth date typed on the form is saved are
// aged from it, the pathology the consultation's diagnosis records shows in "Patologías" at
// once, the growth chart draws the consultation at its age, and the form keeps what was typed.
TEST_P(AgesFromTheFormsBirthDate, ConsultationsAndPathologiesAreAgedFromTheBirthDateOnTheForm)
{
    const Date birth = makeDate(2008, 3, 15);
    const Date visit = makeDate(2010, 1, 10);
    const Date diagnosed = makeDate(2009, 4, 20);
    std::int32_t code = 1;
    if (GetParam().stored) {
        PACIENTES child = patient(1, "Pérez, Ana");
        child.FNACIMIENTO = makeDate(2008, 5, 15);
        store(child);
        openForm(ChangeRecord, 1);
    } else {
        openForm(InsertRecord);
        code = primedCode;
        driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez, Ana"));
    }
    driver.type(QStringLiteral("?PAC:FNACIMIENTO"), QStringLiteral("15/03/2008"));
    driver.accept(QStringLiteral("?PAC:FNACIMIENTO"));

    clickTask(0, 1);
    driver.click(QStringLiteral("?INSERT:3"));
    ASSERT_NE(driver.window(QStringLiteral("Alta de Consulta")), nullptr);
    driver.type(QStringLiteral("?CON:FECHA"), QStringLiteral("10/01/2010"));
    driver.accept(QStringLiteral("?CON:FECHA"));
    const Age atVisit = AgeAtDate(birth, visit);
    ASSERT_EQ(atVisit, (Age { 1, 9, 26 }));
    EXPECT_EQ(ageShown("?CON:"), ageText(atVisit));
    driver.type(QStringLiteral("?CON:PESO"), QStringLiteral("11.500"));
    driver.type(QStringLiteral("?CON:DIAGNOSTICOF"), QStringLiteral("Asma"));
    clickIn(QStringLiteral("Alta de Consulta"), QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(QStringLiteral("Alta de Consulta")), nullptr);
    ASSERT_EQ(all<CONSULTAS>().size(), 1u);
    const CONSULTAS consultation = all<CONSULTAS>()[0];
    EXPECT_EQ((Age { consultation.ANIOS, consultation.MESES, consultation.DIAS }), atVisit);
    EXPECT_EQ(rowsShown(QStringLiteral("?BROWSE:2")), 1);
    EXPECT_EQ(rowsShown(QStringLiteral("?LIST:3")), 1) << "the pathology the diagnosis recorded";
    EXPECT_EQ(shown(QStringLiteral("?PAC:FNACIMIENTO")), "15/03/2008");

    clickTask(0, 5);
    driver.click(QStringLiteral("?INSERT:4"));
    ASSERT_NE(driver.window(QStringLiteral("Nuevo Diagnóstico")), nullptr);
    driver.type(QStringLiteral("?ENF:FECHA"), QStringLiteral("20/04/2009"));
    driver.accept(QStringLiteral("?ENF:FECHA"));
    const Age atDiagnosis = AgeAtDate(birth, diagnosed);
    EXPECT_EQ(ageShown("?ENF:"), ageText(atDiagnosis));
    driver.type(QStringLiteral("?ENF:ENFERMEDAD"), QStringLiteral("ASMA"));
    clickIn(QStringLiteral("Nuevo Diagnóstico"), QStringLiteral("?OK"));
    ASSERT_EQ(driver.window(QStringLiteral("Nuevo Diagnóstico")), nullptr);
    EXPECT_EQ(rowsShown(QStringLiteral("?LIST:3")), 2);
    std::vector<Age> pathologyAges;
    for (const ENFERMEDADES& each : all<ENFERMEDADES>())
        pathologyAges.push_back({ each.ANIOS, each.MESES, each.DIAS });
    EXPECT_THAT(pathologyAges, testing::ElementsAre(atVisit, atDiagnosis));
    EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez, Ana");
    EXPECT_EQ(shown(QStringLiteral("?PAC:FNACIMIENTO")), "15/03/2008");

    // "Peso 0-6 años" draws the consultation at 1 year 9 months 26 days, with no message.
    driver.click(QStringLiteral("?BUTTON15"));
    ASSERT_NE(driver.window(QStringLiteral("Gráfico")), nullptr);
    EXPECT_EQ(driver.messageBox(QString()), nullptr);
    std::vector<double> patientXs;
    for (const data::GRAFICO& point : all<data::GRAFICO>())
        if (point.SERIE == 8)
            patientXs.push_back(point.X);
    EXPECT_THAT(patientXs, testing::ElementsAre(testing::DoubleEq(1 + 9 / 12.0 + 26 / 360.0)));
    driver.close(QStringLiteral("Gráfico"));
    ASSERT_TRUE(driver.runUntil([this] { return driver.window(QStringLiteral("Gráfico")) == nullptr; }));

    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(code).FNACIMIENTO, birth);
    EXPECT_EQ(storedPatient(code).NOMBRE, "Pérez, Ana");
}

INSTANTIATE_TEST_SUITE_P(PatientForm, AgesFromTheFormsBirthDate,
    testing::Values(BirthDateCase { "NewPatient", false }, BirthDateCase { "CorrectedBirthDate", true }),
    [](const testing::TestParamInfo<BirthDateCase>& param) { return std::string(param.param.name); });

} // namespace
} // namespace nidora::clinical
