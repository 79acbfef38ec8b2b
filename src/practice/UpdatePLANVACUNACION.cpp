#include "practice/ReferenceTables.h"
#include "practice/TableForm.h"

#include "data/ReferenceRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlShapes.h"

namespace nidora::practice {
namespace {

using framework::EntryControl;
using framework::entryValue;
using framework::PromptControl;
using framework::handled::Consumed;
using framework::handled::GoOn;

class PlanForm final : public TableForm {
public:
    PlanForm()
        : TableForm(QStringLiteral("UpdatePLANVACUNACION"), data::FileId::PLANVACUNACION,
            { QStringLiteral("Agregar Registro"), QStringLiteral("Cambiar Registro"),
                QStringLiteral("Borrar Registro ?") },
            QStringLiteral("Planes de Vacunación"), 220, 132)
    {
        data::PLANVACUNACION& dose = record<data::PLANVACUNACION>();
        framework::TabControl& page = addPage(QStringLiteral("General"));
        const auto prompt = [&](framework::Control& inside, const QString& field,
                                const framework::DialogRect& at, const char* text) {
            addIn<PromptControl>(inside, field + QStringLiteral(":Prompt"), at, QString::fromUtf8(text));
        };
        prompt(page, QStringLiteral("?PLA:CODIGO"), { 6, 10, 40, 10 }, "Plan:");
        themed(addIn<EntryControl>(page, QStringLiteral("?PLA:CODIGO"), { 50, 9, 14, 11 },
            QStringLiteral("@s1"), entryValue(dose.CODIGO)));

        auto& age = addIn<framework::GroupControl>(
            page, QStringLiteral("?EDAD"), { 6, 24, 196, 32 }, QStringLiteral("Edad:"));
        const auto number
            = [&](const char* field, const char* text, int x, std::uint8_t& value) -> EntryControl& {
            const QString name = QString::fromUtf8(field);
            prompt(age, name, { x, 14, 30, 10 }, text);
            return themed(addIn<EntryControl>(
                age, name, { x + 32, 13, 22, 11 }, QStringLiteral("@n2"), entryValue(value)));
        };
        number("?PLA:ANIOS", "Años:", 6, dose.ANIOS);
        months_ = &number("?PLA:MESES", "Meses:", 68, dose.MESES);
        days_ = &number("?PLA:DIAS", "Días:", 130, dose.DIAS);

        prompt(page, QStringLiteral("?PLA:VACUNA"), { 6, 64, 40, 10 }, "Vacuna:");
        themed(addIn<EntryControl>(page, QStringLiteral("?PLA:VACUNA"), { 50, 63, 88, 11 },
            QStringLiteral("@s20"), entryValue(dose.VACUNA)));
        prompt(page, QStringLiteral("?PLA:DOSIS"), { 6, 78, 40, 10 }, "Dosis:");
        themed(addIn<EntryControl>(page, QStringLiteral("?PLA:DOSIS"), { 50, 77, 48, 11 },
            QStringLiteral("@s10"), entryValue(dose.DOSIS)));
        addButtons();
        setFirstControl(control(QStringLiteral("?PLA:CODIGO"))->number());
    }

protected:
    // The months and the days are checked as soon as they are taken, not only on OK: a value
    // out of range is said at once and the focus stays on it, which also stops OK's pass over
    // the fields there.
    int onAccepted(framework::Control& control) override
    {
        if (const int result = TableForm::onAccepted(control); result != GoOn)
            return result;
        const char* field = &control == months_ ? "PLA:MESES" : &control == days_ ? "PLA:DIAS" : nullptr;
        if (!field)
            return GoOn;
        if (access().validateField(access().desc().field(QString::fromLatin1(field))->number)
            == data::AccessResult::Ok)
            return GoOn;
        select(control);
        return Consumed;
    }

private:
    EntryControl* months_ = nullptr;
    EntryControl* days_ = nullptr;
};

} // namespace

void UpdatePLANVACUNACION()
{
    PlanForm().run();
}

} // namespace nidora::practice
