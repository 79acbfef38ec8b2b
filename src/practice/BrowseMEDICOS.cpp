#include "practice/BrowseMEDICOS.h"

#include "practice/UpdateMEDICOS.h"

#include "controls/ProgramIcon.h"
#include "data/ReferenceRecords.h"
#include "platform/PracticeSettings.h"
#include "views/ListWindow.h"
#include "views/ProgramGlobals.h"

namespace nidora::practice {
namespace {

using views::ListButton;

// The mark in front of each doctor: ticked for the current one.
QIcon currentDoctorMark(const data::Record& record)
{
    const bool current
        = static_cast<const data::MEDICOS&>(record).CODIGO == views::AppGlobals.CurrentPhysician;
    return controls::programIcon(current ? QStringLiteral("~si.ico") : QStringLiteral("~vacio.ico"));
}

class DoctorList final : public views::ListWindow {
public:
    DoctorList()
        : ListWindow(QStringLiteral("BrowseMEDICOS"), data::FileId::MEDICOS)
    {
        setCaption(QStringLiteral("Archivo de Médicos"));
        setSize(180, 177);
        setWallpaper(QStringLiteral("fondo.bmp"));
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 164, 110 },
            { { &key("MED:KCODIGO"), views::LocatorKind::Incremental,
                QStringLiteral("Indice por Nombres") } },
            { views::fieldColumn(field("MED:NOMBRE"), QStringLiteral("Médicos"), QStringLiteral("@s30"))
                    .sized(120)
                    .withIcon(currentDoctorMark) });
        list().setRowHeight(11);
        addEditButtons({ 8, 136, 50, 14 }, 57);
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 172, 152 }, framework::SheetControl::Style::Wizard);
        choose_ = &add<framework::ButtonControl>(QStringLiteral("?BUTTON4"),
            framework::DialogRect { 122, 159, 50, 14 }, QStringLiteral("Selecc."),
            QStringLiteral("button_ok.ico"));
        setForm(UpdateMEDICOS);
    }

protected:
    // "Selecc." makes the highlighted doctor the current one, for every window that reads it
    // from now on and, through the settings file, for the next start. A failed write of the
    // file is not reported: the choice holds for this run all the same.
    int onAccepted(framework::Control& control) override
    {
        const int handled = ListWindow::onAccepted(control);
        if (&control != choose_ || handled != framework::handled::GoOn)
            return handled;
        const views::PagingCursor::Row* row = list().view().highlighted();
        if (!row)
            return handled;
        const auto& doctor = static_cast<const data::MEDICOS&>(*row->record);
        if (doctor.CODIGO > 0) {
            views::AppGlobals.CurrentPhysician = std::uint8_t(doctor.CODIGO);
            platform::PracticeSettings::writeInt(
                QStringLiteral("medico"), views::AppGlobals.CurrentPhysician);
        }
        refreshList();
        return handled;
    }

    // Doctor number 1 is the practice's own and is never deleted.
    void onRowChanged() override
    {
        const views::PagingCursor::Row* row = list().view().highlighted();
        allow(ListButton::Delete, !row || static_cast<const data::MEDICOS&>(*row->record).CODIGO != 1);
    }

    // No control of the list is painted in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }

private:
    framework::ButtonControl* choose_ = nullptr;
};

} // namespace

void BrowseMEDICOS()
{
    DoctorList().run();
}

} // namespace nidora::practice
