#include "practice/UpdateMEDICOS.h"

#include "data/ReferenceRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "views/FormWindow.h"

namespace nidora::practice {
namespace {

using framework::EntryControl;
using framework::entryValue;
using framework::PromptControl;

class DoctorForm final : public views::FormWindow {
public:
    DoctorForm()
        : FormWindow(QStringLiteral("UpdateMEDICOS"), data::FileId::MEDICOS,
            { QStringLiteral("Nuevo Registro"), QStringLiteral("Editando Registro"),
                QStringLiteral("Borrar Registro?") })
    {
        setCaption(QStringLiteral("Médicos"));
        setSize(260, 150);
        setCentred();
        setWallpaper(QStringLiteral("fondo.bmp"));
        data::MEDICOS& doctor = record<data::MEDICOS>();
        auto& sheet = add<framework::SheetControl>(
            QStringLiteral("?CURRENTTAB"), { 4, 4, 252, 120 }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
        int y = 8;
        const auto line
            = [&](const QString& prompt, const QString& name, const QString& picture, QString& value) {
                  if (!prompt.isEmpty())
                      addIn<PromptControl>(page, name + QStringLiteral(":Prompt"), { 6, y, 110, 10 }, prompt);
                  addIn<EntryControl>(page, name, { 118, y, 124, 10 }, picture, entryValue(value));
                  y += 14;
              };
        line(QStringLiteral("Nombre:"), QStringLiteral("?MED:NOMBRE"), QStringLiteral("@s30"), doctor.NOMBRE);
        line(QStringLiteral("Matrícula / Registro Profesional:"), QStringLiteral("?MED:MATRICULA"),
            QStringLiteral("@s20"), doctor.MATRICULA);
        line(QStringLiteral("Especialidad:"), QStringLiteral("?MED:ESPECIALIDAD"), QStringLiteral("@s30"),
            doctor.ESPECIALIDAD);
        line(QStringLiteral("Dirección:"), QStringLiteral("?MED:DIRECCION1"), QStringLiteral("@s30"),
            doctor.DIRECCION1);
        line({}, QStringLiteral("?MED:DIRECCION2"), QStringLiteral("@s30"), doctor.DIRECCION2);
        line(QStringLiteral("Email:"), QStringLiteral("?MED:MAIL"), QStringLiteral("@s40"), doctor.MAIL);
        line(
            QStringLiteral("Otro dato:"), QStringLiteral("?MED:OTROS"), QStringLiteral("@s30"), doctor.OTROS);
        addOk(QStringLiteral("?OK"), { 160, 130, 45, 14 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), { 210, 130, 45, 14 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
        setFirstControl(control(QStringLiteral("?MED:NOMBRE"))->number());
    }

protected:
    // Only the seven entries are painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override
    {
        std::vector<framework::Control*> entries;
        for (const auto& each : controls())
            if (each->kind() == framework::ControlKind::Entry)
                entries.push_back(each.get());
        return entries;
    }
};

} // namespace

void UpdateMEDICOS()
{
    DoctorForm().run();
}

} // namespace nidora::practice
