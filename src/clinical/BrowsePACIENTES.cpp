#include "clinical/BrowsePACIENTES.h"

#include "clinical/PatientListSlot.h"
#include "clinical/PatientLists.h"
#include "clinical/UpdatePACIENTES.h"

#include "views/ListWindow.h"

namespace nidora::clinical {
namespace {

class PatientList final : public views::ListWindow {
public:
    PatientList()
        : ListWindow(QStringLiteral("BrowsePACIENTES"), data::FileId::PACIENTES)
    {
        setCaption(QStringLiteral("Pacientes"));
        setSize(420, 230);
        addList(QStringLiteral("?BROWSE:1"), { 8, 20, 404, 182 }, patientListOrders(), patientListColumns());
        list().model().setRowColouring(patientRowColours);
        addEditButtons({ 262, 210, 45, 14 }, 50);
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 412, 202 });
        withoutEditKeys();
        followWindowSize();
        // The list reads the patients' consultations (through their relation with the patient)
        // and their parents.
        openAlso(data::FileId::CONSULTAS);
        openAlso(data::FileId::MADRES);
        openAlso(data::FileId::PADRES);
        setForm(UpdatePACIENTES);
    }

protected:
    // The slot is checked before any file opens: a second list ends here, answering 2, and the
    // first list's thread has been sent a focus-gained event, which brings its window in front
    // (the list, or the form open over it) forward. The slot is freed when this list's
    // procedure ends.
    bool onSetUp() override { return slot_.claim(request()) && ListWindow::onSetUp(); }

    std::vector<framework::Control*> themedControls() const override { return {}; }

private:
    PatientListSlot slot_;
};

} // namespace

void BrowsePACIENTES()
{
    PatientList().run();
}

} // namespace nidora::clinical
