// The pages of the patient form that list his consultations, vaccinations and pathologies, each
// in the order of its key, held to the patient's rows, with a step locator on its first column
// and the buttons that call its form.
#include "clinical/PatientForm.h"

#include "data/ClinicalRecords.h"
#include "framework/ValueBinding.h"
#include "views/ListColumns.h"

namespace nidora::clinical {
namespace {

using views::fieldColumn;
using views::ListButton;
using views::ListPanel;

constexpr framework::DialogRect kListPlace { 4, 4, 392, 190 };
constexpr int kButtonsTop = 200;
constexpr int kButtonStep = 60;

// The patient's rows of a file whose key begins with the patient's code.
views::SortOrder patientsRows(const ListPanel& panel, const char* key, const data::PACIENTES& patient)
{
    return { &panel.key(key), views::LocatorKind::Step, QString(),
        [&patient] { return std::vector<data::FieldValue> { std::int64_t(patient.CODIGO) }; } };
}

// A row's date and the patient's age at it, under the one heading "Edad"; then what else the
// list shows of the row; last the first hundred characters of its notes, in the width the list
// has left.
std::vector<views::ListColumn> datedColumns(
    const ListPanel& panel, const char* prefix, std::vector<views::ListColumn> middle, int notesWidth)
{
    const auto field = [&panel, prefix](const char* name) -> const data::FieldDesc& {
        return panel.field((QByteArray(prefix) + ':' + name).constData());
    };
    std::vector<views::ListColumn> columns { fieldColumn(
        field("FECHA"), QStringLiteral("Fecha"), QStringLiteral("@D6")) };
    for (const char* part : { "ANIOS", "MESES", "DIAS" })
        columns.push_back(fieldColumn(
            field(part), QString(QLatin1Char(part[0])), QStringLiteral("@n2"), QStringLiteral("Edad")));
    for (views::ListColumn& each : middle)
        columns.push_back(std::move(each));
    columns.push_back(fieldColumn(field("OBSERVACIONES"), QStringLiteral("Notas"), QStringLiteral("@s100"))
                          .sized(notesWidth));
    return columns;
}

} // namespace

void PatientForm::addConsultationsPage(framework::TabControl& page)
{
    ListPanel& visits = addPanel(data::FileId::CONSULTAS, &page);
    std::vector<views::ListColumn> columns = datedColumns(visits, "CON",
        { fieldColumn(visits.field("CON:PESO"), QStringLiteral("Peso"), QStringLiteral("@n7.3")),
            fieldColumn(
                visits.field("CON:MOTIVO"), QStringLiteral("Motivo consulta"), QStringLiteral("@s25")) },
        160);
    visits.addList(QStringLiteral("?BROWSE:2"), kListPlace,
        { patientsRows(visits, "CON:KPACIENTE", patient_) }, std::move(columns));
    prescription_ = &addIn<framework::ButtonControl>(page, QStringLiteral("?BUTTON19"),
        { 4, kButtonsTop, 60, 16 }, QStringLiteral("Recetas"), QStringLiteral("Medical insurance.ico"));
    visits.addEditButtons({ 216, kButtonsTop, 56, 16 }, kButtonStep, QStringLiteral(":3"));
    // Shown here as the "Datos" page has them, for reading only.
    const Picture line = *parsePicture(u"@s30");
    notesShown_[0] = &addIn<framework::StringControl>(
        page, QStringLiteral("?AUXNOTA1:2"), { 4, 222, 150, 10 }, line, framework::bindTo(extras_.note1));
    notesShown_[1] = &addIn<framework::StringControl>(
        page, QStringLiteral("?AUXNOTA2:2"), { 160, 222, 150, 10 }, line, framework::bindTo(extras_.note2));
    visits.setRowChangedHandler([this] { updatePrescriptionButton(); });
    consultations_ = { &visits, &PatientFormLookups::consultationForm };
    connectChildList(consultations_, 4, "CON:PACIENTE");
}

void PatientForm::addVaccinationsPage(framework::TabControl& page)
{
    ListPanel& doses = addPanel(data::FileId::VACUNACION, &page);
    doses.addList(QStringLiteral("?LIST"), kListPlace, { patientsRows(doses, "VAC:KPACIENTE", patient_) },
        { fieldColumn(doses.field("VAC:FECHAPROG"), QStringLiteral("Fecha Plan"), QStringLiteral("@D6")),
            fieldColumn(doses.field("VAC:FECHAREAL"), QStringLiteral("Fecha Real"), QStringLiteral("@D6")),
            fieldColumn(doses.field("VAC:VACUNA"), QStringLiteral("Vacuna"), QStringLiteral("@s20")),
            fieldColumn(doses.field("VAC:DOSIS"), QStringLiteral("Dosis"), QStringLiteral("@s10")) });
    doses.addEditButtons({ 216, kButtonsTop, 56, 16 }, kButtonStep, QString());
    vaccinations_ = { &doses, &PatientFormLookups::vaccinationForm };
    connectChildList(vaccinations_, 5, "VAC:PACIENTE");
}

void PatientForm::addPathologiesPage(framework::TabControl& page)
{
    ListPanel& found = addPanel(data::FileId::ENFERMEDADES, &page);
    std::vector<views::ListColumn> columns = datedColumns(found, "ENF",
        { fieldColumn(found.field("ENF:ENFERMEDAD"), QStringLiteral("Patología"), QStringLiteral("@s20")) },
        200);
    found.addList(QStringLiteral("?LIST:3"), kListPlace, { patientsRows(found, "ENF:KPACIENTE", patient_) },
        std::move(columns));
    found.addEditButtons({ 216, kButtonsTop, 56, 16 }, kButtonStep, QStringLiteral(":4"));
    pathologies_ = { &found, &PatientFormLookups::pathologyForm };
    connectChildList(pathologies_, 6, "ENF:PACIENTE");
}

void PatientForm::connectChildList(ChildList& list, int number, const char* patientField)
{
    const std::function<void()>& form = patientFormLookups().*list.form;
    list.panel->setForms(
        [this, &form, &list](int) {
            callWithPatient(form);
            // A child form may write rows of another list too (the consultation's OK records
            // its diagnosis as a pathology): each list shows them at once. The list that
            // called reads its own rows again as every list does after its form.
            for (const ChildList* other : { &consultations_, &vaccinations_, &pathologies_ })
                if (other != &list && other->panel)
                    other->panel->refresh();
        },
        number);
    // A new row holds the patient's code, besides its file's initial values.
    const data::FieldDesc& code = list.panel->field(patientField);
    list.panel->setPriming(
        [this, &code](data::Record& fresh) { code.set(fresh, 0, 0, std::int64_t(patient_.CODIGO)); });
    if (!form)
        for (const ListButton role : { ListButton::Insert, ListButton::Change, ListButton::Delete })
            list.panel->allow(role, false);
}

} // namespace nidora::clinical
