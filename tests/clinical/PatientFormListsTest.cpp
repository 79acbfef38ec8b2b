#include "PatientFormFixture.h"

#include "clinical/Prescription.h"

#include "core/Date.h"
#include "data/ClinicalRecords.h"
#include "views/ReportTestSupport.h"

#include <QAbstractItemView>

#include <gmock/gmock.h>

namespace nidora::clinical {
namespace {

using data::AGENDA;
using data::CONSULTAS;
using data::ENFERMEDADES;
using data::FileId;
using data::PACIENTES;
using data::VACUNACION;
using test::patient;
using testing::ElementsAre;
using testing::IsEmpty;

// The patient's code in a row of one of his history files.
std::int32_t patientOf(FileId file, const data::Record& row)
{
    const data::FileDesc& desc = data::fileDesc(file);
    const QString field = desc.prefix + QStringLiteral(":PACIENTE");
    return std::int32_t(std::get<std::int64_t>(desc.field(field)->get(row, 0, 0)));
}

// A child form that, unlike the real ones, reads the patient again from the file into the
// PACIENTES buffer; it completes its request on the row in its file's buffer and answers 1. It
// notes what it was called with.
struct FakeChildForm {
    FileId file {};
    // What a new row holds besides what the list primed, to keep it apart from the others.
    std::function<void(data::Record&)> fill;
    std::vector<int> requests;
    std::int32_t rowPatient = 0; // the row's patient code as the form found it
    QString patientName; // PAC:NOMBRE in the buffer as the form found it

    std::function<void()> procedure()
    {
        return [this] {
            framework::ThreadContext& thread = framework::currentThread();
            requests.push_back(thread.CallRequest);
            thread.CallRequest = 0;
            data::Dictionary& data = views::threadDictionary();
            data::AccessObject& rows = data.access(file);
            rowPatient = patientOf(file, rows.buffer());
            patientName = data.buffer<PACIENTES>().NOMBRE;
            data.access<PACIENTES>().fetch(data.access<PACIENTES>().key("PAC:KCODIGO"));
            if (requests.back() == InsertRecord) {
                if (fill)
                    fill(rows.buffer());
                rows.insert();
            } else if (requests.back() == DeleteRecord) {
                data.relation(file).deleteRecord(false);
            }
            thread.CallResponse = Completed;
        };
    }
};

VACUNACION dose(std::int32_t patientCode, Date planned, const char* vaccine)
{
    VACUNACION made;
    made.PACIENTE = patientCode;
    made.FECHAPROG = planned;
    made.VACUNA = QString::fromUtf8(vaccine);
    return made;
}

class PatientFormListsTest : public test::PatientFormTest {
protected:
    PatientFormListsTest()
    {
        consultations.file = FileId::CONSULTAS;
        vaccinations.file = FileId::VACUNACION;
        vaccinations.fill = [](data::Record& row) {
            static_cast<VACUNACION&>(row).FECHAPROG = makeDate(2021, 1, 1);
            static_cast<VACUNACION&>(row).VACUNA = QStringLiteral("BCG");
        };
        pathologies.file = FileId::ENFERMEDADES;
        pathologies.fill = [](data::Record& row) {
            static_cast<ENFERMEDADES&>(row).FECHA = makeDate(2021, 2, 1);
            static_cast<ENFERMEDADES&>(row).ENFERMEDAD = QStringLiteral("Gripe");
        };
    }
    void installChildForms()
    {
        PatientFormLookups lookups;
        lookups.consultationForm = consultations.procedure();
        lookups.vaccinationForm = vaccinations.procedure();
        lookups.pathologyForm = pathologies.procedure();
        setPatientFormLookups(std::move(lookups));
    }
    int rowsShown(const QString& list) const
    {
        auto* table = qobject_cast<QAbstractItemView*>(driver.find(list));
        return table ? table->model()->rowCount() : -1;
    }
    template <class R> std::size_t rowsOf(std::int32_t code)
    {
        std::size_t rows = 0;
        for (const R& each : all<R>())
            rows += each.PACIENTE == code ? 1 : 0;
        return rows;
    }
    bool enabled(const char* name) const
    {
        QWidget* shown = driver.find(QString::fromUtf8(name));
        return shown && shown->isEnabled();
    }

public:
    FakeChildForm consultations;
    FakeChildForm vaccinations;
    FakeChildForm pathologies;
};

struct ListCase {
    const char* name;
    FakeChildForm PatientFormListsTest::*form;
    std::size_t task; // of the panel's first header
    const char* list;
    const char* insert;
};

void PrintTo(const ListCase& c, std::ostream* out)
{
    *out << c.name;
}

class EachChildList : public PatientFormListsTest, public testing::WithParamInterface<ListCase> {
protected:
    FakeChildForm& form() { return this->*GetParam().form; }
};

// The child form gets a row primed with the patient's code and the patient as the form holds
// him; whatever it reads into the patient's buffer, what the user typed stays on the form.
TEST_P(EachChildList, ItsFormAddsARowOfThePatientAndTheFormKeepsWhatWasTyped)
{
    store(patient(1, "Pérez, Ana"));
    store(patient(2, "García, Luis"));
    store(nidora::test::consultation(1, 1));
    store(nidora::test::consultation(2, 2));
    store(dose(1, makeDate(2020, 6, 1), "Sabin"));
    store(dose(2, makeDate(2020, 6, 1), "Sabin"));
    store(nidora::test::pathologyCase(1, makeDate(2020, 7, 1), "Otitis"));
    store(nidora::test::pathologyCase(2, makeDate(2020, 7, 1), "Otitis"));
    installChildForms();
    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez, Ana María"));
    clickTask(0, GetParam().task);
    const QString list = QString::fromUtf8(GetParam().list);
    EXPECT_EQ(rowsShown(list), 1);
    driver.click(QString::fromUtf8(GetParam().insert));
    EXPECT_THAT(form().requests, ElementsAre(InsertRecord));
    EXPECT_EQ(form().rowPatient, 1);
    EXPECT_EQ(form().patientName, "Pérez, Ana María");
    EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez, Ana María");
    EXPECT_EQ(rowsShown(list), 2);
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(storedPatient(1).NOMBRE, "Pérez, Ana María");
}

INSTANTIATE_TEST_SUITE_P(PatientForm, EachChildList,
    testing::Values(
        ListCase { "Consultations", &PatientFormListsTest::consultations, 1, "?BROWSE:2", "?INSERT:3" },
        ListCase { "Vaccinations", &PatientFormListsTest::vaccinations, 2, "?LIST", "?INSERT" },
        ListCase { "Pathologies", &PatientFormListsTest::pathologies, 5, "?LIST:3", "?INSERT:4" }));

TEST_F(PatientFormListsTest, CancellingANewPatientLeavesNothingOfHisCode)
{
    data::PLANVACUNACION row;
    row.CODIGO = QStringLiteral("A");
    row.MESES = 2;
    row.VACUNA = QStringLiteral("Sabin");
    store(row);
    installChildForms();
    openForm(InsertRecord);
    driver.type(QStringLiteral("?PAC:FNACIMIENTO"), QStringLiteral("31/12/2020"));
    driver.accept(QStringLiteral("?PAC:FNACIMIENTO"));
    driver.accept(QStringLiteral("?PAC:PLANVACUNACION"));
    for (const auto& [task, insert] :
        { std::pair { 1, "?INSERT:3" }, std::pair { 2, "?INSERT" }, std::pair { 5, "?INSERT:4" } }) {
        clickTask(0, std::size_t(task));
        driver.click(QString::fromUtf8(insert));
    }
    EXPECT_EQ(rowsOf<CONSULTAS>(primedCode), 1u);
    EXPECT_EQ(rowsOf<VACUNACION>(primedCode), 2u); // the planned dose and the one added
    EXPECT_EQ(rowsOf<ENFERMEDADES>(primedCode), 1u);
    pressCancel();
    EXPECT_EQ(answer, Cancelled);
    EXPECT_THAT(all<PACIENTES>(), IsEmpty());
    EXPECT_THAT(all<CONSULTAS>(), IsEmpty());
    EXPECT_THAT(all<VACUNACION>(), IsEmpty());
    EXPECT_THAT(all<ENFERMEDADES>(), IsEmpty());
    EXPECT_THAT(all<data::NOTASIMPO>(), IsEmpty());
}

TEST_F(PatientFormListsTest, DeletingAPatientKeepsHisAppointments)
{
    store(patient(1, "Pérez, Ana"));
    store(nidora::test::consultation(1, 1));
    AGENDA appointment;
    appointment.FECHA = makeDate(2024, 5, 6);
    appointment.HORA = makeTime(9, 30);
    appointment.PACIENTE = 1;
    appointment.NOMBRE = QStringLiteral("Pérez, Ana");
    appointment.MEDICO = 1;
    store(appointment);
    openForm(DeleteRecord, 1);
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_THAT(all<PACIENTES>(), IsEmpty());
    EXPECT_THAT(all<CONSULTAS>(), IsEmpty());
    ASSERT_EQ(all<AGENDA>().size(), 1u);
    EXPECT_EQ(all<AGENDA>()[0].PACIENTE, 1);
}

TEST_F(PatientFormListsTest, WithoutTheClinicalRightTheConsultationsAreOutOfReachAndTheRestWorks)
{
    views::AppGlobals.AccessRights[1] = 0;
    store(patient(1, "Pérez, Ana"));
    store(nidora::test::consultation(1, 1));
    installChildForms();
    openForm(ChangeRecord, 1);
    clickTask(0, 1);
    for (const char* hidden : { "?BROWSE:2", "?BUTTON19", "?AUXNOTA1:2", "?AUXNOTA2:2" })
        EXPECT_FALSE(driver.find(QString::fromUtf8(hidden))->isVisible()) << hidden;
    for (const char* off : { "?INSERT:3", "?CHANGE:3", "?DELETE:3" })
        EXPECT_FALSE(enabled(off)) << off;
    clickTask(0, 2);
    driver.click(QStringLiteral("?INSERT"));
    EXPECT_THAT(vaccinations.requests, ElementsAre(InsertRecord));
    EXPECT_THAT(consultations.requests, IsEmpty());
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_EQ(rowsOf<VACUNACION>(1), 1u);
}

TEST_F(PatientFormListsTest, WindowsNotInstalledLeaveTheirButtonsDisabled)
{
    store(patient(1, "Pérez, Ana"));
    store(nidora::test::consultation(1, 1));
    openForm(ChangeRecord, 1);
    for (const char* off : { "?BUTTON21", "?BUTTON19", "?INSERT:3", "?CHANGE:3", "?INSERT", "?INSERT:4",
             "?BUTTON15", "?BUTTON15:3", "?BUTTON17" })
        EXPECT_FALSE(enabled(off)) << off;
    pressCancel();
}

TEST_F(PatientFormListsTest, RecetasIsForTheHighlightedConsultationAndOffWhileThereIsNone)
{
    store(patient(1, "Pérez, Ana"));
    store(patient(2, "García, Luis"));
    CONSULTAS later = nidora::test::consultation(7, 1);
    later.FECHA = makeDate(2021, 3, 1);
    CONSULTAS earlier = nidora::test::consultation(8, 1);
    earlier.FECHA = makeDate(2021, 1, 1);
    store(later);
    store(earlier);
    std::vector<std::int32_t> prescribed;
    QString nameSeen;
    PatientFormLookups lookups;
    lookups.prescription = [&](std::int32_t consultation) {
        prescribed.push_back(consultation);
        data::Dictionary& data = views::threadDictionary();
        nameSeen = data.buffer<PACIENTES>().NOMBRE;
        data.access<PACIENTES>().fetch(data.access<PACIENTES>().key("PAC:KCODIGO"));
    };
    setPatientFormLookups(std::move(lookups));

    openForm(ChangeRecord, 2);
    EXPECT_FALSE(enabled("?BUTTON19"));
    pressCancel();

    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:CIUDAD"), QStringLiteral("Rosario"));
    clickTask(0, 1);
    ASSERT_TRUE(enabled("?BUTTON19"));
    driver.click(QStringLiteral("?BUTTON19"));
    EXPECT_THAT(prescribed, ElementsAre(8)); // the first by date, highlighted
    EXPECT_EQ(nameSeen, "Pérez, Ana");
    EXPECT_EQ(shown(QStringLiteral("?PAC:CIUDAD")), "Rosario");
    pressOk();
    EXPECT_EQ(storedPatient(1).CIUDAD, "Rosario");
}

// "Recetas" opens the real prescription window on the highlighted consultation: what it stores
// and prints leaves what is typed on the patient form as it was.
TEST_F(PatientFormListsTest, RecetasWritesThePrescriptionAndTheFormKeepsWhatWasTyped)
{
    store(patient(1, "Pérez, Ana"));
    CONSULTAS visit = nidora::test::consultation(8, 1);
    visit.DIAGNOSTICOP = QStringLiteral("Otitis");
    visit.MEDICACION = QStringLiteral("Amoxicilina");
    store(visit);
    views::test::PreviewSink sink;
    views::test::ProgramPreviewerOverride previewing { sink };
    PatientFormLookups lookups;
    lookups.prescription = prescription;
    setPatientFormLookups(std::move(lookups));

    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez Gómez, Ana"));
    clickTask(0, 1);
    driver.click(QStringLiteral("?BUTTON19"));
    ASSERT_TRUE(driver.runUntil([this] { return driver.window(QStringLiteral("Receta")) != nullptr; }));
    driver.click(QStringLiteral("?BUTTON1"));
    ASSERT_TRUE(driver.runUntil([this] { return driver.window(QStringLiteral("Receta")) == nullptr; }));
    EXPECT_EQ(sink.handed.size(), 1u);
    EXPECT_EQ(all<CONSULTAS>().front().RECETA, "DIAGNOSTICO: Otitis\n\nAmoxicilina");
    EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez Gómez, Ana");
    pressOk();
    EXPECT_EQ(storedPatient(1).NOMBRE, "Pérez Gómez, Ana");
}

// The chart buttons from top to bottom, each drawing its chart of the patient as the form
// holds him.
TEST_F(PatientFormListsTest, ChartButtonsDrawTheirChartsOfThePatientOnTheForm)
{
    store(patient(1, "Pérez, Ana"));
    std::vector<int> drawn;
    std::vector<QString> names;
    PatientFormLookups lookups;
    lookups.growthChart = [&](int chart) {
        drawn.push_back(chart);
        data::Dictionary& data = views::threadDictionary();
        names.push_back(data.buffer<PACIENTES>().NOMBRE);
        data.access<PACIENTES>().fetch(data.access<PACIENTES>().key("PAC:KCODIGO"));
    };
    setPatientFormLookups(std::move(lookups));
    openForm(ChangeRecord, 1);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("Pérez, Ana María"));
    for (const char* button :
        { "?BUTTON15:3", "?BUTTON15", "?BUTTON15:2", "?BUTTON16:3", "?BUTTON16", "?BUTTON16:2", "?BUTTON17" })
        driver.click(QString::fromUtf8(button));
    EXPECT_THAT(drawn, ElementsAre(1, 0, 2, 4, 3, 5, 6));
    EXPECT_THAT(names, testing::Each(QStringLiteral("Pérez, Ana María")));
    EXPECT_EQ(shown(QStringLiteral("?PAC:NOMBRE")), "Pérez, Ana María");
    pressCancel();
}

struct CameraCase {
    const char* name;
    bool wrote;
    const char* photoAfter;
};

void PrintTo(const CameraCase& c, std::ostream* out)
{
    *out << c.name;
}

class TheCamera : public PatientFormListsTest, public testing::WithParamInterface<CameraCase> { };

TEST_P(TheCamera, GivesThePhotoItsNameOnlyWhenItWroteTheFile)
{
    store(patient(1, "Pérez, Ana"));
    data::FOTOS stored;
    stored.PACIENTE = 1;
    stored.ARCHIVO = QStringLiteral("ana.jpg");
    store(stored);
    QStringList asked;
    PatientFormLookups lookups;
    lookups.camera = [&](const QString& baseName) {
        asked << baseName;
        return GetParam().wrote;
    };
    setPatientFormLookups(std::move(lookups));
    openForm(ChangeRecord, 1);
    driver.click(QStringLiteral("?BUTTON21"));
    EXPECT_THAT(asked, ElementsAre("P000001"));
    EXPECT_EQ(shown(QStringLiteral("?AUXFOTO")), QString::fromUtf8(GetParam().photoAfter));
    pressOk();
    ASSERT_EQ(all<data::FOTOS>().size(), 1u);
    EXPECT_EQ(all<data::FOTOS>()[0].ARCHIVO, QString::fromUtf8(GetParam().photoAfter));
}

INSTANTIATE_TEST_SUITE_P(PatientForm, TheCamera,
    testing::Values(
        CameraCase { "Saved", true, "P000001.jpg" }, CameraCase { "ClosedWithoutSaving", false, "ana.jpg" }));

class PlannedVaccinationsOnTheForm : public PatientFormListsTest {
protected:
    PlannedVaccinationsOnTheForm()
    {
        for (const auto& [plan, months, vaccine] : { std::tuple { "A", 2, "Sabin" },
                 std::tuple { "A", 4, "Sabin" }, std::tuple { "B", 6, "Gripe" } }) {
            data::PLANVACUNACION row;
            row.CODIGO = QString::fromUtf8(plan);
            row.MESES = std::uint8_t(months);
            row.VACUNA = QString::fromUtf8(vaccine);
            row.DOSIS = QStringLiteral("1ª");
            store(row);
        }
    }
    std::vector<Date> plannedOf(std::int32_t code)
    {
        std::vector<Date> dates;
        for (const VACUNACION& each : all<VACUNACION>())
            if (each.PACIENTE == code)
                dates.push_back(each.FECHAPROG);
        return dates;
    }
};

TEST_F(PlannedVaccinationsOnTheForm, ANewPatientGetsHisPlanOnceByOk)
{
    openForm(InsertRecord);
    driver.type(QStringLiteral("?PAC:NOMBRE"), QStringLiteral("García, Luis"));
    driver.type(QStringLiteral("?PAC:FNACIMIENTO"), QStringLiteral("31/12/2020"));
    pressOk();
    EXPECT_EQ(answer, Completed);
    EXPECT_THAT(plannedOf(primedCode), ElementsAre(makeDate(2021, 3, 3), makeDate(2021, 5, 1)));
}

// Accepting the plan again, by Enter or by OK's pass, adds back a planned dose that was deleted
// by hand, and nothing while every dose of the plan is there; another plan's doses come beside.
TEST_F(PlannedVaccinationsOnTheForm, ReacceptingThePlanAddsBackAMissingDoseAndNothingMore)
{
    for (const std::int32_t code : { 1, 2 }) {
        PACIENTES child = patient(code, "Pérez, Ana");
        child.FNACIMIENTO = makeDate(2020, 12, 31);
        child.PLANVACUNACION = QStringLiteral("A");
        store(child);
        store(dose(code, makeDate(2021, 5, 1), "Sabin")); // the 2-month dose was deleted
    }
    for (const std::int32_t code : { 1, 2 }) {
        const bool byEnter = code == 1;
        SCOPED_TRACE(byEnter ? "by Enter" : "by OK");
        openForm(ChangeRecord, code);
        if (byEnter) {
            driver.accept(QStringLiteral("?PAC:PLANVACUNACION"));
            EXPECT_EQ(rowsShown(QStringLiteral("?LIST")), 2);
        }
        pressOk();
        EXPECT_EQ(answer, Completed);
        EXPECT_THAT(plannedOf(code), ElementsAre(makeDate(2021, 5, 1), makeDate(2021, 3, 3)));
    }

    openForm(ChangeRecord, 1);
    driver.accept(QStringLiteral("?PAC:PLANVACUNACION"));
    driver.type(QStringLiteral("?PAC:PLANVACUNACION"), QStringLiteral("B"));
    driver.accept(QStringLiteral("?PAC:PLANVACUNACION"));
    EXPECT_EQ(rowsShown(QStringLiteral("?LIST")), 3);
    pressOk();
    EXPECT_THAT(plannedOf(1), ElementsAre(makeDate(2021, 5, 1), makeDate(2021, 3, 3), makeDate(2021, 7, 1)));
}

} // namespace
} // namespace nidora::clinical
