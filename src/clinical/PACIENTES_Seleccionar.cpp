#include "clinical/PACIENTES_Seleccionar.h"

#include "clinical/PatientLists.h"

#include "views/ListWindow.h"

namespace nidora::clinical {
namespace {

class PatientLookup final : public views::ListWindow {
public:
    PatientLookup()
        : ListWindow(QStringLiteral("PACIENTES:Seleccionar"), data::FileId::PACIENTES)
    {
        setCaption(QStringLiteral("Seleccionar un registro de tabla PACIENTES"));
        setSize(260, 180);
        addList(
            QStringLiteral("?BROWSE:1"), { 8, 20, 244, 130 }, patientLookupOrders(), patientLookupColumns());
        list().model().setRowColouring(patientRowColours);
        addButton(views::ListButton::Select, QStringLiteral("?SELECT:2"), { 202, 158, 50, 14 },
            QStringLiteral("&Seleccionar"));
        addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 252, 150 });
        withoutEditKeys();
        // It opens over the window that looks a patient up, and can be made larger.
        setCentred();
        followWindowSize();
    }

protected:
    // The lookup paints nothing in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }
};

} // namespace

void PACIENTES_Seleccionar()
{
    PatientLookup().run();
}

} // namespace nidora::clinical
