#include "clinical/ClinicalForms.h"

#include "clinical/ChoiceLists.h"
#include "clinical/ClinicalHistoryRules.h"
#include "clinical/ConsultationForm.h"
#include "clinical/ConsultationLookups.h"
#include "clinical/PatientNoteLines.h"

#include "core/Cp1252.h"
#include "data/AccessBuffer.h"
#include "data/ReferenceRecords.h"
#include "data/Schema.h"
#include "framework/TypedChoice.h"
#include "views/ProgramGlobals.h"

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::TypedChoice;
using framework::handled::Consumed;
using framework::handled::GoOn;

constexpr int kReasonForm = 1;
constexpr int kStudyForm = 2;

} // namespace

ConsultationForm::ConsultationForm()
    : ClinicalForm(QStringLiteral("UpdateCONSULTAS"), data::FileId::CONSULTAS,
        { QStringLiteral("Alta de Consulta"), QStringLiteral("Cambiar Consulta"),
            QStringLiteral("Borrar Consulta?") })
    , consultation_(record<data::CONSULTAS>())
{
    setCaption(QStringLiteral("Consultas"));
    setSize(448, 288);
    setCentred();
    auto& sheet = add<framework::SheetControl>(QStringLiteral("?CURRENTTAB"), { 4, 4, 440, 252 });
    addGeneralPage(sheet);
    addFeesPage(sheet);
    PatientNoteLines& notes = patientNoteLines();
    addShown(nullptr, QStringLiteral("?AUXNOTA1"), { 8, 260, 130, 10 }, "@s30", notes.AUXNOTA1);
    addShown(nullptr, QStringLiteral("?AUXNOTA2"), { 8, 272, 130, 10 }, "@s30", notes.AUXNOTA2);
    addOk(QStringLiteral("?OK"), { 336, 264, 52, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { 392, 264, 52, 16 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
    // The consultations' relations open the studies, the pathologies and the pathology table
    // with them.
}

bool ConsultationForm::onSetUp()
{
    // The consultation belongs to the patient the caller holds, whatever the request.
    consultation_.PACIENTE = patient().CODIGO;
    return ClinicalForm::onSetUp();
}

void ConsultationForm::onOpened()
{
    if (consultation_.MEDICO == 0)
        consultation_.MEDICO = views::AppGlobals.CurrentPhysician;
    heldReason_ = consultation_.MOTIVO;
    reason_->setChoices(reasonNames(data()));
    ClinicalForm::onOpened();
}

void ConsultationForm::holdShownRecords()
{
    holdPatient(data(), consultation_.PACIENTE);
}

int ConsultationForm::ok()
{
    updateFields();
    // The age at the date on screen, as accepting the date would have stored it.
    takeAge(consultation_, consultation_.FECHA);
    recordConfirmedDiagnosis(data(), consultation_);
    return ClinicalForm::ok();
}

int ConsultationForm::onAccepted(Control& control)
{
    if (const int result = ClinicalForm::onAccepted(control); result != GoOn)
        return result;
    if (&control == date_) {
        takeAge(consultation_, consultation_.FECHA);
        return GoOn;
    }
    if (&control == reason_)
        return acceptReason();
    if (&control == diagnosisLookup_)
        return lookUpDiagnosis();
    return GoOn;
}

int ConsultationForm::callForm(int number, std::uint8_t request)
{
    if (openedRequest() == ViewRecord)
        return Cancelled;
    return framework::callWithRequest(request, [this, number] { runForm(number); });
}

void ConsultationForm::runForm(int number)
{
    switch (number) {
    case kReasonForm:
        if (consultationLookups().reasonForm)
            consultationLookups().reasonForm();
        break;
    case kStudyForm:
        runStudyForm();
        break;
    default:
        break;
    }
}

void ConsultationForm::runStudyForm()
{
    // Whatever the study form and its files read into the consultation's buffer, what is typed
    // here and not yet saved stays in this form's.
    data::AccessObject& consultations = access();
    const data::AccessObject::State kept = consultations.state();
    UpdateANALISIS();
    consultations.restore(kept);
}

int ConsultationForm::acceptReason()
{
    const QString typed = reason_->text();
    const TypedChoice match = framework::matchTypedChoice(reason_->choices(), typed);
    switch (match.outcome) {
    case TypedChoice::Outcome::Blank:
        return GoOn;
    case TypedChoice::Outcome::Chosen:
        reason_->pickTypedChoice();
        return GoOn;
    case TypedChoice::Outcome::NoMatch:
        break;
    }
    // Only text typed here is a new reason. The one the consultation held when the form
    // opened (a new one's initial reason included) stays as it is, though the reasons' table
    // no longer has it, or never had it.
    if (cp1252::compareAsKey(typed, heldReason_) == 0)
        return GoOn;
    return addReason(typed);
}

int ConsultationForm::addReason(const QString& typed)
{
    // Without the reasons' form a reason not on file is kept as typed, and the consultation is
    // stored with it.
    if (!consultationLookups().reasonForm)
        return GoOn;
    data::AccessObject& reasons = data().access<data::MOTIVOS>();
    data::MOTIVOS& reason = data().buffer<data::MOTIVOS>();
    data::clearRecord(reasons.desc(), reason);
    reason.MOTIVO = typed;
    if (callForm(kReasonForm, InsertRecord) == Completed) {
        const QString added = reason.MOTIVO;
        reason_->setChoices(reasonNames(data()));
        consultation_.MOTIVO = added;
        reason_->display();
        return GoOn;
    }
    // Nothing new was added: the entry goes back to the reason the consultation held, blank
    // when it held none, and keeps the focus.
    consultation_.MOTIVO = heldReason_;
    reason_->display();
    select(*reason_);
    return Consumed;
}

int ConsultationForm::lookUpDiagnosis()
{
    updateFields();
    data::AccessObject& table = data().access<data::TABENFERMED>();
    data::TABENFERMED& pathology = data().buffer<data::TABENFERMED>();
    const QString named = consultation_.DIAGNOSTICOF.left(20);
    data::clearRecord(table.desc(), pathology);
    pathology.NOMBRE = named;
    // The lookup opens on the pathology named, or the first one after it in name order.
    if (table.tryFetch(table.key("TEN:KNOMBRE")) != data::AccessResult::Ok) {
        data::clearRecord(table.desc(), pathology);
        pathology.NOMBRE = named;
        table.setOrder(&table.key("TEN:KNOMBRE"), true);
        table.next();
    }
    const auto& lookup = consultationLookups().pathologies;
    if (!lookup || framework::callWithRequest(SelectRecord, lookup) != Completed) {
        select(*diagnosisLookup_);
        return Consumed;
    }
    consultation_.DIAGNOSTICOF = pathology.NOMBRE;
    diagnosis_->display();
    select(*notesPrompt_);
    return Consumed;
}

void UpdateCONSULTAS()
{
    ConsultationForm().run();
}

} // namespace nidora::clinical
