#include "practice/BrowseAGENDA.h"

#include "practice/AgendaRows.h"
#include "practice/FreeSlots.h"
#include "practice/ParametosAgenda.h"
#include "practice/SelectDate.h"
#include "practice/UpdateAGENDA.h"
#include "practice/WorkingHours.h"

#include "clinical/UpdatePACIENTES.h"
#include "core/Clock.h"
#include "data/AccessBuffer.h"
#include "data/ClinicalRecords.h"
#include "data/PatientRecords.h"
#include "framework/ControlChoices.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/WindowEvent.h"
#include "views/ListWindow.h"
#include "views/ProgramGlobals.h"

#include <QSpinBox>

namespace nidora::practice {
namespace {

using framework::ButtonControl;
using framework::Control;
using framework::DialogRect;
namespace handled = framework::handled;

class AgendaList final : public views::ListWindow {
public:
    AgendaList()
        : ListWindow(QStringLiteral("BrowseAGENDA"), data::FileId::AGENDA)
    {
        setCaption(QStringLiteral("Agenda"));
        setSize(372, 240);
        setWallpaper(QStringLiteral("fondo.bmp"));
        addList(QStringLiteral("?BROWSE:1"), { 8, 24, 356, 186 },
            { { &key("AGE:KFECHA"), views::LocatorKind::None, QString(),
                [this] { return std::vector<data::FieldValue> { std::int64_t(day_) }; } } },
            agendaColumns());
        list().model().setRowColouring(agendaRowColours);
        list().view().setFilter([this](const data::Record& record) {
            return allDoctors_ == 1 || static_cast<const data::AGENDA&>(record).MEDICO == doctor_;
        });
        patientCard_ = &add<ButtonControl>(QStringLiteral("?BUTTON9"), DialogRect { 8, 218, 72, 14 },
            QStringLiteral("Ficha Paciente"), QStringLiteral("doctor.ico"));
        dayBefore_ = &add<ButtonControl>(QStringLiteral("?BUTTON6"), DialogRect { 8, 5, 16, 14 }, QString(),
            QStringLiteral("1leftarrow.ico"));
        dayEntry_ = &add<framework::EntryControl>(QStringLiteral("?AUXFECHA"), DialogRect { 26, 7, 50, 10 },
            QStringLiteral("@d6"), framework::entryValue(day_));
        dayAfter_ = &add<ButtonControl>(QStringLiteral("?BUTTON7"), DialogRect { 78, 5, 16, 14 }, QString(),
            QStringLiteral("1rightarrow.ico"));
        calendar_ = &add<ButtonControl>(QStringLiteral("?POPCALENDAR"), DialogRect { 96, 5, 16, 14 },
            QString(), QStringLiteral("calendar.ico"));
        hours_ = &add<ButtonControl>(
            QStringLiteral("?BUTTON8"), DialogRect { 118, 5, 72, 14 }, QStringLiteral("Parámetros Agenda"));
        everyone_ = &add<framework::CheckControl>(QStringLiteral("?TMED"), DialogRect { 200, 7, 40, 10 },
            QStringLiteral("Todos"), framework::bindTo(allDoctors_), QVariant::fromValue(std::uint8_t(1)),
            QVariant::fromValue(std::uint8_t(0)));
        add<framework::PromptControl>(
            QStringLiteral("?PROMPT1"), DialogRect { 246, 7, 30, 10 }, QStringLiteral("Médico:"));
        doctorSpin_ = &add<framework::SpinControl>(
            QStringLiteral("?AUXMEDICO"), DialogRect { 278, 6, 30, 12 }, framework::bindTo(doctor_), 1, 9, 1);
        addEditButtons({ 214, 218, 48, 14 }, 50);
        withoutEditKeys();
        panel().setPriming([this](data::Record& fresh) { static_cast<data::AGENDA&>(fresh).FECHA = day_; });
        openAlso(data::FileId::MEDICOS);
        openAlso(data::FileId::PACIENTES);
        setForm(UpdateAGENDA);
        // Spinning to another doctor shows his rows at once, as typing one does when accepted.
        QObject::connect(static_cast<QSpinBox*>(doctorSpin_->widget()), &QSpinBox::valueChanged,
            doctorSpin_->widget(), [this] { post(framework::event::Accepted, doctorSpin_->widget(), {}); });
    }

protected:
    // The hours come from the settings file, the step defaulting to 15 minutes, and the day's
    // free slots are made before its rows are first read.
    void onOpened() override
    {
        doctor_ = views::AppGlobals.CurrentPhysician;
        AgendaHours = readWorkingHours();
        if (AgendaHours.INTERVALO == 0)
            AgendaHours.INTERVALO = WorkingHours::kDefaultInterval;
        generateFreeSlots(data(), AgendaHours, day_);
        display();
        ListWindow::onOpened();
    }

    int onAccepted(Control& control) override
    {
        if (const int handledByList = ListWindow::onAccepted(control); handledByList != handled::GoOn)
            return handledByList;
        if (&control == dayBefore_ || &control == dayAfter_) {
            day_ += &control == dayBefore_ ? -1 : 1;
            showDay();
        } else if (&control == dayEntry_) {
            showDay();
        } else if (&control == calendar_) {
            // Cancelling the calendar answers 0: the day shown stays.
            if (const std::int32_t chosen = SelectDate(QString(), 0, 0, 1); chosen != noDate)
                day_ = chosen;
            showDay();
        } else if (&control == everyone_) {
            doctorSpin_->setEnabled(allDoctors_ != 1);
            showRows();
        } else if (&control == doctorSpin_) {
            showRows();
        } else if (&control == hours_) {
            updateFields();
            ParametosAgenda();
            display();
        } else if (&control == patientCard_) {
            openPatientCard();
        } else {
            return handled::GoOn;
        }
        return handled::Consumed;
    }

    // The calendar button's taking the focus also makes the day's slots, as its press does.
    int onSelected(Control& control) override
    {
        if (&control == calendar_)
            showDay();
        return ListWindow::onSelected(control);
    }

    void onRowChanged() override
    {
        const views::PagingCursor::Row* row = list().view().highlighted();
        patientCard_->setEnabled(row && static_cast<const data::AGENDA&>(*row->record).PACIENTE > 0);
    }

    std::vector<Control*> themedControls() const override { return {}; }

private:
    void showDay()
    {
        generateFreeSlots(data(), AgendaHours, day_);
        display();
        showRows();
    }
    // The rows read again from the day's first.
    void showRows() { panel().open(); }

    // The patient's form over the highlighted row's patient; nothing when he is gone.
    void openPatientCard()
    {
        const views::PagingCursor::Row* row = list().view().highlighted();
        if (!row)
            return;
        const std::int32_t code = static_cast<const data::AGENDA&>(*row->record).PACIENTE;
        record<data::AGENDA>() = static_cast<const data::AGENDA&>(*row->record);
        data::AccessObject& patients = data().access<data::PACIENTES>();
        data::clearRecord(patients.desc(), patients.buffer());
        record<data::PACIENTES>().CODIGO = code;
        if (patients.tryFetch(patients.key("PAC:KCODIGO")) == data::AccessResult::Ok)
            framework::callWithRequest(ChangeRecord, clinical::UpdatePACIENTES);
        showRows();
    }

    std::int32_t day_ = Clock::today();
    std::uint8_t doctor_ = 1;
    std::uint8_t allDoctors_ = 0;
    ButtonControl* patientCard_ = nullptr;
    ButtonControl* dayBefore_ = nullptr;
    framework::EntryControl* dayEntry_ = nullptr;
    ButtonControl* dayAfter_ = nullptr;
    ButtonControl* calendar_ = nullptr;
    ButtonControl* hours_ = nullptr;
    framework::CheckControl* everyone_ = nullptr;
    framework::SpinControl* doctorSpin_ = nullptr;
};

} // namespace

void BrowseAGENDA()
{
    AgendaList().run();
}

} // namespace nidora::practice
