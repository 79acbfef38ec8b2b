#include "clinical/ClinicalForms.h"

#include "clinical/ClinicalForm.h"
#include "clinical/ClinicalHistoryRules.h"

#include "data/ClinicalRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlSheet.h"
#include "framework/PromptColumn.h"

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::EntryControl;

class VaccinationForm final : public ClinicalForm {
public:
    VaccinationForm()
        : ClinicalForm(QStringLiteral("UpdateVACUNAS"), data::FileId::VACUNACION,
            { QStringLiteral("Agregar Vacuna"), QStringLiteral("Cambiar Vacuna"),
                QStringLiteral("Borrar Vacuna") })
        , vaccination_(record<data::VACUNACION>())
    {
        setCaption(QStringLiteral("Vacunas"));
        setSize(260, 118);
        setCentred();
        auto& sheet = add<framework::SheetControl>(
            QStringLiteral("?CURRENTTAB"), { 4, 4, 252, 88 }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
        addPatientPrompt(page, { 6, 9, 70, 10 });
        addShown(&page, QStringLiteral("?VAC:PACIENTE"), { 78, 9, 34, 10 }, "@n7", vaccination_.PACIENTE);
        addShown(&page, QStringLiteral("?PAC:NOMBRE"), { 116, 9, 130, 10 }, "@s30", patient().NOMBRE);
        framework::PromptColumn rows(
            *this, page, { .promptX = 6, .fieldX = 78, .top = 23, .promptDown = 1, .fieldHeight = 11 });
        const auto entry = [&](const char* prompt, const char* name, int width, const char* picture,
                               auto& value) -> EntryControl& {
            auto& made = rows.row<EntryControl>(QString::fromUtf8(prompt), QString::fromLatin1(name),
                { .width = width }, QString::fromLatin1(picture), framework::entryValue(value));
            themed_.push_back(&made);
            return made;
        };
        entry("Fecha Programada:", "?VAC:FECHAPROG", 52, "@D6", vaccination_.FECHAPROG);
        entry("Fecha Real:", "?VAC:FECHAREAL", 52, "@D6", vaccination_.FECHAREAL);
        entry("Vacuna:", "?VAC:VACUNA", 90, "@s20", vaccination_.VACUNA);
        entry("Dosis:", "?VAC:DOSIS", 50, "@s10", vaccination_.DOSIS)
            .widget()
            ->setStatusTip(QStringLiteral("DOSIS"));
        addOk(QStringLiteral("?OK"), { 150, 98, 50, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), { 204, 98, 50, 16 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
    }

protected:
    bool onSetUp() override
    {
        // Also when changing: the vaccination stays the calling form's patient's.
        vaccination_.PACIENTE = patient().CODIGO;
        return ClinicalForm::onSetUp();
    }

    void holdShownRecords() override { holdPatient(data(), vaccination_.PACIENTE); }

    std::vector<Control*> themedControls() const override { return themed_; }

private:
    data::VACUNACION& vaccination_;
    std::vector<Control*> themed_;
};

} // namespace

void UpdateVACUNAS()
{
    VaccinationForm().run();
}

} // namespace nidora::clinical
