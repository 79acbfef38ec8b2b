#include "practice/ReferenceTables.h"
#include "practice/TableForm.h"

#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "data/ReferenceRecords.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "views/ListPanel.h"

#include <map>

namespace nidora::practice {
namespace {

using data::ENFERMEDADES;
using views::fieldColumn;

class PathologyForm final : public TableForm {
public:
    PathologyForm()
        : TableForm(QStringLiteral("UpdateTABENFERMED"), data::FileId::TABENFERMED,
            { QStringLiteral("Agregar Patología"), QStringLiteral("Cambiar Patología"),
                QStringLiteral("Borrar Patología?") },
            QStringLiteral("Patologías"), 300, 190, framework::SheetControl::Style::Tabs)
    {
        data::TABENFERMED& pathology = record<data::TABENFERMED>();
        framework::TabControl& general = addPage(QStringLiteral("General"));
        addIn<framework::PromptControl>(general, QStringLiteral("?TEN:NOMBRE:Prompt"), { 6, 10, 70, 10 },
            QStringLiteral("Nombre Patología:"));
        themed(addIn<framework::EntryControl>(general, QStringLiteral("?TEN:NOMBRE"), { 78, 9, 88, 11 },
            QStringLiteral("@s20"), framework::entryValue(pathology.NOMBRE)));
        addIn<framework::PromptControl>(general, QStringLiteral("?TEN:CARACTERISTICAS:Prompt"),
            { 6, 26, 70, 10 }, QStringLiteral("Notas:"));
        addIn<framework::TextControl>(general, QStringLiteral("?TEN:CARACTERISTICAS"), { 78, 25, 206, 116 },
            framework::bindTo(pathology.CARACTERISTICAS));

        framework::TabControl& casesPage = addPage(QStringLiteral("Casos"));
        openAlso(data::FileId::ENFERMEDADES);
        views::ListPanel& cases = addPanel(data::FileId::ENFERMEDADES, &casesPage);
        const QString patient = QStringLiteral("Paciente");
        const QString age = QStringLiteral("Edad");
        views::ListColumn name { QStringLiteral("Nombre"), patient, [this](const data::Record& row) {
                                    const auto found
                                        = patientNames_.find(static_cast<const ENFERMEDADES&>(row).PACIENTE);
                                    return found == patientNames_.end() ? QString() : found->second;
                                } };
        name.width = 120;
        cases.addList(QStringLiteral("?BROWSE:2"), { 4, 4, 284, 140 },
            { { &cases.key("ENF:KENFERMEDAD"), views::LocatorKind::Step, QString(),
                [this] { return std::vector<data::FieldValue> { casesOf_ }; } } },
            { fieldColumn(
                  cases.field("ENF:PACIENTE"), QStringLiteral("Código"), QStringLiteral("@n7"), patient)
                    .sized(28),
                name,
                centred(fieldColumn(cases.field("ENF:FECHA"), QStringLiteral("Fecha"), QStringLiteral("@D6"))
                            .sized(45)),
                fieldColumn(cases.field("ENF:ANIOS"), QStringLiteral("A"), QStringLiteral("@n2"), age)
                    .sized(12),
                fieldColumn(cases.field("ENF:MESES"), QStringLiteral("M"), QStringLiteral("@n2"), age)
                    .sized(12),
                fieldColumn(cases.field("ENF:DIAS"), QStringLiteral("D"), QStringLiteral("@n2"), age)
                    .sized(10) });
        cases.withoutEditKeys();
        // A new pathology has no cases yet, whatever rows carry no pathology at all.
        cases.list().view().setFilter([this](const data::Record&) { return !casesOf_.isEmpty(); });
        cases.list().view().setRowReader([this](const data::Record& row) { readPatientName(row); });

        addButtons();
        setFirstControl(control(QStringLiteral("?TEN:NOMBRE"))->number());
    }

protected:
    // The cases are those of the pathology as stored, not of a name being typed over it.
    bool onSetUp() override
    {
        casesOf_ = request() == InsertRecord ? QString() : record<data::TABENFERMED>().NOMBRE;
        return TableForm::onSetUp();
    }

private:
    static views::ListColumn centred(views::ListColumn column)
    {
        column.alignment = Qt::AlignHCenter;
        return column;
    }

    // Each case shows its patient's name, read from the patients' file as the row is read. The
    // thread's patient buffer is left alone: a patient form under this one may be editing it.
    void readPatientName(const data::Record& row)
    {
        const std::int32_t code = static_cast<const ENFERMEDADES&>(row).PACIENTE;
        data::AccessObject& patients = data().access(data::FileId::PACIENTES);
        data::PACIENTES found;
        if (patients.file()
            && patients.file()->fetch(patients.key("PAC:KCODIGO"), { std::int64_t(code) }, found).ok())
            patientNames_[code] = found.NOMBRE;
        else
            patientNames_.erase(code);
    }

    QString casesOf_;
    std::map<std::int32_t, QString> patientNames_;
};

} // namespace

void UpdateTABENFERMED()
{
    PathologyForm().run();
}

} // namespace nidora::practice
