#include "clinical/ClinicalForms.h"

#include "clinical/ChoiceLists.h"
#include "clinical/ClinicalForm.h"
#include "clinical/ClinicalHistoryRules.h"

#include "data/ClinicalRecords.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlSheet.h"

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::TypedChoice;
using framework::handled::Consumed;
using framework::handled::GoOn;

class PathologyForm final : public ClinicalForm {
public:
    PathologyForm()
        : ClinicalForm(QStringLiteral("UpdateENFERMEDADES"), data::FileId::ENFERMEDADES,
            { QStringLiteral("Nuevo Diagnóstico"), QStringLiteral("Cambiar Diagnóstico"),
                QStringLiteral("Borrar Diagnóstico") })
        , pathology_(record<data::ENFERMEDADES>())
    {
        setCaption(QStringLiteral("Patologías"));
        setSize(260, 148);
        setCentred();
        auto& sheet = add<framework::SheetControl>(
            QStringLiteral("?CURRENTTAB"), { 4, 4, 252, 118 }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
        addPatientPrompt(page, { 6, 9, 50, 10 });
        addShown(&page, QStringLiteral("?ENF:PACIENTE"), { 58, 9, 34, 10 }, "@n7", pathology_.PACIENTE);
        addShown(&page, QStringLiteral("?PAC:NOMBRE"), { 96, 9, 146, 10 }, "@s30", patient().NOMBRE);
        addIn<framework::PromptControl>(
            page, QStringLiteral("?ENF:FECHA:Prompt"), { 6, 25, 50, 10 }, QStringLiteral("Fecha:"));
        date_ = &addIn<framework::EntryControl>(page, QStringLiteral("?ENF:FECHA"), { 58, 24, 52, 11 },
            QStringLiteral("@D6"), framework::entryValue(pathology_.FECHA));
        addAge(page, QStringLiteral("?ENF:"), { 116, 25, 0, 10 }, pathology_.ANIOS, pathology_.MESES,
            pathology_.DIAS);
        addIn<framework::PromptControl>(
            page, QStringLiteral("?ENF:ENFERMEDAD:Prompt"), { 6, 41, 50, 10 }, QStringLiteral("Patología:"));
        name_ = &addIn<framework::ComboControl>(page, QStringLiteral("?ENF:ENFERMEDAD"), { 58, 39, 110, 12 },
            20, 8, framework::bindTo(pathology_.ENFERMEDAD), framework::ControlKind::DropCombo);
        addIn<framework::PromptControl>(
            page, QStringLiteral("?ENF:OBSERVACIONES:Prompt"), { 6, 57, 50, 10 }, QStringLiteral("Notas:"));
        addIn<framework::TextControl>(page, QStringLiteral("?ENF:OBSERVACIONES"), { 58, 56, 184, 44 },
            framework::bindTo(pathology_.OBSERVACIONES));
        addOk(QStringLiteral("?OK"), { 150, 128, 50, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), { 204, 128, 50, 16 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
    }

protected:
    bool onSetUp() override
    {
        pathology_.PACIENTE = patient().CODIGO;
        return ClinicalForm::onSetUp();
    }

    void onOpened() override
    {
        // The pathology table is open as a parent of the pathologies.
        name_->setChoices(pathologyNames(data()));
        ClinicalForm::onOpened();
    }

    void holdShownRecords() override { holdPatient(data(), pathology_.PACIENTE); }

    int onAccepted(Control& control) override
    {
        if (const int result = ClinicalForm::onAccepted(control); result != GoOn)
            return result;
        if (&control == date_)
            takeAge(pathology_, pathology_.FECHA);
        else if (&control == name_)
            return acceptName();
        return GoOn;
    }

    std::vector<Control*> themedControls() const override { return { date_, name_ }; }

private:
    // The pathology is one of the table's: the form adds none. Text that names none is
    // emptied, and the focus stays for another try.
    int acceptName()
    {
        if (name_->pickTypedChoice().outcome != TypedChoice::Outcome::NoMatch)
            return GoOn;
        select(*name_);
        return Consumed;
    }

    data::ENFERMEDADES& pathology_;
    framework::EntryControl* date_ = nullptr;
    framework::ComboControl* name_ = nullptr;
};

} // namespace

void UpdateENFERMEDADES()
{
    PathologyForm().run();
}

} // namespace nidora::clinical
