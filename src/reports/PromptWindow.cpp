#include "reports/PromptWindow.h"

#include "clinical/PACIENTES_Seleccionar.h"
#include "data/PatientRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ThreadContext.h"
#include "reports/ReportRows.h"
#include "views/ProgramGlobals.h"

namespace nidora::reports {

using framework::ButtonControl;
using framework::EntryControl;
using framework::entryValue;
using framework::PromptControl;
using framework::handled::GoOn;
using views::AppGlobals;

namespace {

constexpr int kWidth = 232;

} // namespace

PromptWindow::PromptWindow(QString procedureName, data::FileId primary, int height)
    : DataWindow(std::move(procedureName), primary)
{
    setCaption(QStringLiteral("Informes"));
    setSize(kWidth, height);
    setCentred();
    setWallpaper(QStringLiteral("paplib.bmp"));
}

void PromptWindow::addPatientSelection(int y)
{
    add<PromptControl>(
        QStringLiteral("?SELECTPACIENTE:Prompt"), { 8, y + 1, 40, 10 }, QStringLiteral("Paciente:"));
    patient_ = &add<EntryControl>(QStringLiteral("?SELECTPACIENTE"), { 52, y, 60, 11 },
        QStringLiteral("@n-14"), entryValue(AppGlobals.SELECTPACIENTE));
    lookup_ = &add<ButtonControl>(
        QStringLiteral("?FLDLOOKUP"), { 114, y - 1, 14, 13 }, QString(), QStringLiteral("buscar.ico"));
    lookup_->setTip(QStringLiteral("Buscar un paciente"));
}

void PromptWindow::addDateRange(int y)
{
    add<PromptControl>(QStringLiteral("?DF:Prompt"), { 8, y + 1, 40, 10 }, QStringLiteral("Fechas:"));
    add<framework::StringControl>(
        QStringLiteral("?String:Desde"), { 52, y + 1, 26, 10 }, QStringLiteral("Desde:"));
    from_ = &add<EntryControl>(
        QStringLiteral("?DF"), { 78, y, 52, 11 }, QStringLiteral("@D6"), entryValue(AppGlobals.DF));
    add<PromptControl>(QStringLiteral("?HF:Prompt"), { 136, y + 1, 26, 10 }, QStringLiteral("Hasta:"));
    add<EntryControl>(
        QStringLiteral("?HF"), { 162, y, 52, 11 }, QStringLiteral("@D6"), entryValue(AppGlobals.HF));
}

void PromptWindow::addOk(int y)
{
    ok_ = &add<ButtonControl>(
        QStringLiteral("?BUTTON1"), { kWidth - 48, y, 40, 20 }, QString(), QStringLiteral("si.bmp"));
    ok_->setTip(QStringLiteral("Imprimir"));
    ok_->setDefault(true);
}

void PromptWindow::onOpened()
{
    DataWindow::onOpened();
    display();
}

int PromptWindow::onAccepted(framework::Control& control)
{
    if (const int handled = DataWindow::onAccepted(control); handled != GoOn)
        return handled;
    if (&control == patient_)
        return patientTyped();
    if (&control == lookup_)
        return lookUpPatient();
    if (&control == ok_) {
        // What this window shows is what its report prints, whatever another prompt set meanwhile.
        updateFields();
        if (fill())
            print();
        requestClose();
    }
    return GoOn;
}

int PromptWindow::patientTyped()
{
    if (AppGlobals.SELECTPACIENTE == 0)
        return GoOn;
    auto& patient = record<data::PACIENTES>();
    patient = data::PACIENTES {};
    patient.CODIGO = AppGlobals.SELECTPACIENTE;
    data::AccessObject& patients = data().access<data::PACIENTES>();
    if (patients.fetch(patients.key("PAC:KCODIGO")) != data::AccessResult::Ok && !choosePatient())
        select(*patient_);
    display();
    return GoOn;
}

int PromptWindow::lookUpPatient()
{
    updateFields();
    auto& patient = record<data::PACIENTES>();
    patient = data::PACIENTES {};
    patient.CODIGO = AppGlobals.SELECTPACIENTE;
    data::AccessObject& patients = data().access<data::PACIENTES>();
    const data::KeyDesc& byCode = patients.key("PAC:KCODIGO");
    if (patients.fetch(byCode) != data::AccessResult::Ok) {
        // The lookup opens near the code typed: on the next patient after it.
        patients.setOrder(&byCode, true);
        patients.next();
    }
    if (!choosePatient()) {
        select(*lookup_);
        return GoOn;
    }
    display();
    framework::currentThread().CallResponse = Cancelled;
    select(from_ ? static_cast<framework::Control&>(*from_) : *ok_);
    return GoOn;
}

bool PromptWindow::choosePatient()
{
    if (framework::callWithRequest(SelectRecord, clinical::PACIENTES_Seleccionar) != Completed)
        return false;
    AppGlobals.SELECTPACIENTE = record<data::PACIENTES>().CODIGO;
    return true;
}

bool PromptWindow::fillOutput(const RowWriter& write)
{
    return refillOutput(data(), [&](data::AccessObject& output) { return write(data(), output); });
}

void PromptWindow::closeFiles()
{
    DataWindow::closeFiles();
    dropOwnOutput(data());
}

} // namespace nidora::reports
