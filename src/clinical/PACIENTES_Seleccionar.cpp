#include "clinical/PACIENTES_Seleccionar.h"

#include "clinical/PatientLists.h"

#include "framework/WindowEvent.h"
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
    }

protected:
    // The lookup paints nothing in the desktop theme.
    std::vector<framework::Control*> themedControls() const override { return {}; }

    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        const int handled = ListWindow::onWindowEvent(event);
        if (event.code == framework::event::Sized)
            layOut();
        return handled;
    }

private:
    // The sheet and the list take whatever the window gives beyond its margins, and the select
    // button keeps to the bottom right corner.
    void layOut()
    {
        const framework::DialogUnits& du = units();
        const QSize inner = widget()->size();
        const auto across = [&](int margin) { return inner.width() - du.toPixelsX(margin); };
        const auto down = [&](int margin) { return inner.height() - du.toPixelsY(margin); };
        const QRect sheet = du.toPixels(framework::DialogRect { 4, 4, 0, 0 });
        control(QStringLiteral("?CURRENTTAB"))
            ->widget()
            ->setGeometry(sheet.x(), sheet.y(), across(8), down(4 + kBelowSheet));
        const QRect rows = du.toPixels(framework::DialogRect { 8, 20, 0, 0 });
        list().widget()->setGeometry(rows.x(), rows.y(), across(16), down(20 + kBelowList));
        QWidget* choose = control(QStringLiteral("?SELECT:2"))->widget();
        choose->move(across(8) - choose->width(), down(8) - choose->height());
    }

    // Dialog units left below the sheet and below the list, for the select button.
    static constexpr int kBelowSheet = 26;
    static constexpr int kBelowList = 30;
};

} // namespace

void PACIENTES_Seleccionar()
{
    PatientLookup().run();
}

} // namespace nidora::clinical
