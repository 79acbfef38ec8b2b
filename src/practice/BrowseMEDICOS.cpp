#include "practice/BrowseMEDICOS.h"

#include "data/ReferenceRecords.h"
#include "practice/UpdateMEDICOS.h"
#include "views/ListWindow.h"

namespace nidora::practice {
namespace {

using views::ListButton;

class DoctorList final : public views::ListWindow {
public:
    DoctorList()
        : ListWindow(QStringLiteral("BrowseMEDICOS"), data::FileId::MEDICOS)
    {
        setCaption(QStringLiteral("Archivo de Médicos"));
        setSize(180, 170);
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 164, 110 },
            { { &key("MED:KCODIGO"), views::LocatorKind::Incremental,
                QStringLiteral("Indice por Nombres") } },
            { views::fieldColumn(field("MED:NOMBRE"), QStringLiteral("Médicos"), QStringLiteral("@s30"))
                    .sized(120) });
        list().setRowHeight(11);
        addButton(ListButton::Insert, QStringLiteral("?INSERT:2"), { 8, 136, 50, 14 },
            QStringLiteral("&Agregar"), QStringLiteral("new.ico"));
        addButton(ListButton::Change, QStringLiteral("?CHANGE:2"), { 65, 136, 50, 14 },
            QStringLiteral("&Cambiar"), QStringLiteral("cambiar.ico"));
        addButton(ListButton::Delete, QStringLiteral("?DELETE:2"), { 122, 136, 50, 14 },
            QStringLiteral("&Borrar"), QStringLiteral("borrar.ico"));
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 172, 152 }, framework::SheetControl::Style::Wizard);
        // The current doctor's button comes here, after the sheet.
        setForm(UpdateMEDICOS);
    }

protected:
    // Doctor number 1 is the practice's own and is never deleted.
    void onRowChanged() override
    {
        const views::ListView::Row* row = list().view().highlighted();
        allow(ListButton::Delete, !row || static_cast<const data::MEDICOS&>(*row->record).CODIGO != 1);
    }

    // No control of the list is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }
};

} // namespace

void BrowseMEDICOS()
{
    DoctorList().run();
}

} // namespace nidora::practice
