#include "practice/UpdateAGENDA.h"

#include "practice/AppointmentMove.h"
#include "practice/DoctorChoice.h"
#include "practice/Doctors.h"
#include "practice/SelectDate.h"

#include "clinical/PACIENTES_Seleccionar.h"
#include "core/Date.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlPictureSpin.h"
#include "framework/ControlSheet.h"
#include "framework/ThreadContext.h"
#include "views/FormWindow.h"

namespace nidora::practice {
namespace {

using data::AccessResult;
using framework::ButtonControl;
using framework::Control;
using framework::DialogRect;
using framework::EntryControl;
using framework::entryValue;
using framework::PromptControl;
namespace handled = framework::handled;

constexpr int kPromptX = 8;
constexpr int kFieldX = 48;

class AppointmentForm final : public views::FormWindow {
public:
    AppointmentForm()
        : FormWindow(QStringLiteral("UpdateAGENDA"), data::FileId::AGENDA,
            { QStringLiteral("Agregar Turno"), QStringLiteral("Cambiar Turno"),
                QStringLiteral("Borrar Turno") })
        , slot_(record<data::AGENDA>())
        , move_(data().access(data::FileId::AGENDA), data().access(data::FileId::MEDICOS), AgendaHours)
    {
        setSize(236, 136);
        setCentred();
        setWallpaper(QStringLiteral("fondo.bmp"));
        auto& sheet = add<framework::SheetControl>(
            QStringLiteral("?CURRENTTAB"), { 4, 4, 228, 108 }, framework::SheetControl::Style::Wizard);
        auto& page
            = addIn<framework::TabControl>(sheet, QStringLiteral("?TAB1"), {}, QStringLiteral("General"));
        const auto prompt = [&](const char* name, int y, const char* text) {
            addIn<PromptControl>(page, QString::fromLatin1(name), DialogRect { kPromptX, y + 1, 38, 10 },
                QString::fromUtf8(text));
        };
        const auto button = [&](const char* name, int x, int y, const char* icon) -> ButtonControl& {
            return addIn<ButtonControl>(page, QString::fromLatin1(name), DialogRect { x, y - 1, 14, 13 },
                QString(), QString::fromLatin1(icon));
        };
        prompt("?AGE:MEDICO:Prompt", 8, "Médico:");
        doctor_ = &addIn<DoctorChoice>(
            page, QStringLiteral("?AGE:MEDICO"), DialogRect { kFieldX, 7, 30, 12 }, slot_.MEDICO);
        prompt("?AGE:FECHA:Prompt", 24, "Fecha:");
        date_ = &addIn<EntryControl>(page, QStringLiteral("?AGE:FECHA"), DialogRect { kFieldX, 24, 50, 10 },
            QStringLiteral("@D6"), entryValue(slot_.FECHA));
        calendar_ = &button("?POPCALENDAR", kFieldX + 52, 24, "calendar.ico");
        prompt("?AGE:HORA:Prompt", 40, "Hora:");
        addIn<framework::PictureSpinControl>(page, QStringLiteral("?AGE:HORA"),
            DialogRect { kFieldX, 39, 40, 12 }, QStringLiteral("@T1"), framework::bindTo(slot_.HORA), 0,
            maxTime, 15 * timePerMinute);
        prompt("?AGE:PACIENTE:Prompt", 56, "Paciente:");
        patient_ = &addIn<EntryControl>(page, QStringLiteral("?AGE:PACIENTE"),
            DialogRect { kFieldX, 56, 36, 10 }, QStringLiteral("@n7"), entryValue(slot_.PACIENTE));
        lookup_ = &button("?FLDLOOKUP", kFieldX + 38, 56, "buscar.ico");
        name_ = &addIn<EntryControl>(page, QStringLiteral("?AGE:NOMBRE"),
            DialogRect { kFieldX + 54, 56, 120, 10 }, QStringLiteral("@s30"), entryValue(slot_.NOMBRE));
        prompt("?AGE:COMENTARIOS:Prompt", 72, "Notas:");
        addIn<EntryControl>(page, QStringLiteral("?AGE:COMENTARIOS"), DialogRect { kFieldX, 72, 174, 10 },
            QStringLiteral("@s50"), entryValue(slot_.COMENTARIOS));
        addOk(QStringLiteral("?OK"), { 136, 118, 45, 14 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
        addCancel(QStringLiteral("?CANCEL"), { 186, 118, 45, 14 }, QStringLiteral("Cancelar"),
            QStringLiteral("no.bmp"));
        setFirstControl(doctor_->number());
        enableHistory({ QStringLiteral("?AGE:MEDICO"), QStringLiteral("?AGE:FECHA"),
            QStringLiteral("?AGE:HORA"), QStringLiteral("?AGE:PACIENTE"), QStringLiteral("?AGE:NOMBRE"),
            QStringLiteral("?AGE:COMENTARIOS") });
        openAlso(data::FileId::MEDICOS);
        openAlso(data::FileId::PACIENTES);
    }

protected:
    // A new appointment starts with doctor 1, whichever doctor the list shows.
    void onOpened() override
    {
        if (slot_.MEDICO == 0)
            slot_.MEDICO = 1;
        doctor_->setDoctors(readDoctors(data().access(data::FileId::MEDICOS)));
        FormWindow::onOpened();
        // An appointment moved onto a free slot takes its place, and leaves one behind.
        session().writeAlongChange(move_.alongside());
    }

    int onAccepted(Control& control) override
    {
        if (&control == patient_) {
            name_->setEnabled(slot_.PACIENTE == 0);
            display();
            if (const int result = FormWindow::onAccepted(control); result != handled::GoOn)
                return result;
            return patientAccepted();
        }
        if (const int result = FormWindow::onAccepted(control); result != handled::GoOn)
            return result;
        if (&control == calendar_) {
            // Cancelling the calendar answers 0: the date typed or stored stays.
            if (const std::int32_t chosen = SelectDate(QString(), 0, 0, 1); chosen != noDate)
                slot_.FECHA = chosen;
            date_->display();
            return handled::Consumed;
        }
        if (&control == lookup_)
            return lookUpPatient();
        return handled::GoOn;
    }

private:
    data::PACIENTES& patientRecord() { return record<data::PACIENTES>(); }
    data::AccessObject& patients() { return data().access<data::PACIENTES>(); }
    AccessResult fetchPatient(std::int32_t code)
    {
        data::clearRecord(patients().desc(), patients().buffer());
        patientRecord().CODIGO = code;
        return patients().tryFetch(patients().key("PAC:KCODIGO"));
    }

    // The name of the patient whose code was typed; a code on no patient opens the lookup,
    // and closing it without a choice leaves the code as typed with no name.
    int patientAccepted()
    {
        if (slot_.PACIENTE == 0 && !patient_->isRequired())
            return handled::GoOn;
        if (fetchPatient(slot_.PACIENTE) == AccessResult::Ok) {
            slot_.NOMBRE = patientRecord().NOMBRE;
        } else if (framework::callWithRequest(SelectRecord, clinical::PACIENTES_Seleccionar) == Completed) {
            slot_.PACIENTE = patientRecord().CODIGO;
            slot_.NOMBRE = patientRecord().NOMBRE;
        } else {
            slot_.NOMBRE = QString();
            display();
            select(*patient_);
            return handled::Consumed;
        }
        display();
        return handled::GoOn;
    }

    // The lookup opens on the typed code's patient, or on the next one by code.
    int lookUpPatient()
    {
        updateFields();
        if (fetchPatient(slot_.PACIENTE) != AccessResult::Ok) {
            patientRecord().CODIGO = slot_.PACIENTE;
            patients().setOrder(&patients().key("PAC:KCODIGO"), true);
            patients().next();
        }
        if (framework::callWithRequest(SelectRecord, clinical::PACIENTES_Seleccionar) != Completed) {
            select(*lookup_);
            return handled::Consumed;
        }
        slot_.PACIENTE = patientRecord().CODIGO;
        thread().CallResponse = Cancelled;
        slot_.NOMBRE = patientRecord().NOMBRE;
        display();
        select(*name_);
        setRequest(openedRequest());
        return handled::Consumed;
    }

    data::AGENDA& slot_;
    AppointmentMove move_;
    DoctorChoice* doctor_ = nullptr;
    EntryControl* date_ = nullptr;
    ButtonControl* calendar_ = nullptr;
    EntryControl* patient_ = nullptr;
    ButtonControl* lookup_ = nullptr;
    EntryControl* name_ = nullptr;
};

} // namespace

void UpdateAGENDA()
{
    AppointmentForm().run();
}

} // namespace nidora::practice
