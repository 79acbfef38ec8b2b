#include "clinical/PatientForm.h"

#include "clinical/ChoiceLists.h"

#include "framework/Await.h"
#include "framework/Window.h"
#include "platform/FileChooser.h"
#include "views/ProgramGlobals.h"

#include <memory>
#include <optional>

namespace nidora::clinical {
namespace {

using framework::Control;
using framework::ControlKind;
using framework::handled::Consumed;
using framework::handled::GoOn;

// The consultations and the note lines are for users with this right only.
constexpr int kClinicalHistoryRight = 2;

// Waits, without a nested event loop, for the user to choose a picture file: its full name, or
// empty when the dialog was cancelled; nothing when the thread is asked to end first.
std::optional<QString> awaitPhotoFile(QWidget* parent)
{
    return framework::awaitAnswer<QString>([parent](auto done) {
        platform::FileChooserService::current().choose(parent, QStringLiteral("Buscar archivo imagen"),
            { QStringLiteral("Archivos de imágenes"), { "*.jpg", "*.bmp", "*.gif" } }, std::move(done));
    });
}

} // namespace

PatientForm::PatientForm()
    : FormWindow(QStringLiteral("UpdatePACIENTES"), data::FileId::PACIENTES,
        { QStringLiteral("Nuevo Paciente"), QStringLiteral("Edición de Paciente"),
            QStringLiteral("Borrar Paciente"), QStringLiteral("Pacientes") })
    , patient_(record<data::PACIENTES>())
{
    // The patient's relations open his family, notes, photo and coverage files with his own.
    // Left of the sheet is the room of the task panel, right of it that of the chart buttons.
    setSize(520, 272);
    setCentred();
    auto& sheet = add<framework::SheetControl>(
        QStringLiteral("?SHEET2"), { 104, 4, 334, 244 }, framework::SheetControl::Style::Wizard);
    addDataPage(sheet);
    addOk(QStringLiteral("?OK"), { 404, 252, 54, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { 462, 252, 54, 16 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
    paintFields();
    setFirstControl(control(QStringLiteral("?PAC:GRUPO"))->number());
}

void PatientForm::onOpened()
{
    FormWindow::onOpened();
    giveCurrentPhysician(patient_, views::AppGlobals.CurrentPhysician);
    extras_ = readPatientExtras(data(), patient_.CODIGO);
    showPhoto();
    fillCoverages();
    if (!views::AppGlobals.hasRight(kClinicalHistoryRight))
        hideNotes();
    display();
}

int PatientForm::ok()
{
    if (session().okSaves()) {
        updateFields();
        writePatientExtras(data(), patient_.CODIGO, extras_);
    }
    return FormWindow::ok();
}

int PatientForm::onAccepted(Control& control)
{
    if (const int result = FormWindow::onAccepted(control); result != GoOn)
        return result;
    for (Parent* parent : { &mother_, &father_ }) {
        if (&control == parent->name)
            return acceptParentName(*parent);
        if (&control == parent->lookup)
            return lookUpParent(*parent);
    }
    if (&control == photoName_)
        showPhoto();
    else if (&control == photoLookup_)
        return choosePhotoFile();
    return GoOn;
}

std::vector<Control*> PatientForm::themedControls() const
{
    return fields();
}

std::vector<Control*> PatientForm::fields() const
{
    std::vector<Control*> found;
    for (const auto& each : controls())
        if (each->kind() == ControlKind::Entry || each->kind() == ControlKind::DropList
            || each->kind() == ControlKind::Combo)
            found.push_back(each.get());
    return found;
}

void PatientForm::fillCoverages()
{
    coverage_->setChoices(coverageNames(data()));
}

void PatientForm::hideNotes()
{
    // Disabled as well, so the accept-all pass of OK passes over them and their lines are
    // written back as they were read.
    for (framework::EntryControl* line : notes_) {
        line->setVisible(false);
        line->setEnabled(false);
    }
    // The prompt stays where it is, greyed, so the page keeps one layout whatever the user's
    // rights.
    control(QStringLiteral("?AUXNOTA1:Prompt"))->setEnabled(false);
}

void PatientForm::showPhoto()
{
    photo_->setFile(extras_.photo.trimmed());
}

bool PatientForm::parentOnFile(Parent& parent)
{
    *parent.onFile = *parent.named;
    data::AccessObject& file = data().access(parent.file);
    return file.tryFetch(file.key(parent.key)) == data::AccessResult::Ok;
}

int PatientForm::callLookup(const Parent& parent)
{
    if (request() == ViewRecord)
        return Cancelled;
    return framework::callWithRequest(SelectRecord, patientFormLookups().*parent.procedure);
}

void PatientForm::takeFromMother(const Parent& parent)
{
    if (&parent == &mother_)
        copyFromMother(patient_, data().buffer<data::MADRES>());
}

void PatientForm::showParent(const Parent& parent)
{
    // Only what the parent's handling changed: another entry may hold text typed meanwhile,
    // whose own acceptance is still to come.
    parent.name->display();
    if (&parent == &mother_)
        for (Control* field : mothersValues_)
            field->display();
}

int PatientForm::acceptParentName(Parent& parent)
{
    if (!parent.named->trimmed().isEmpty()) {
        if (!parentOnFile(parent)) {
            // With no lookup to choose from, the name stays as typed and the form goes on.
            if (!(patientFormLookups().*parent.procedure))
                return GoOn;
            if (callLookup(parent) != Completed) {
                select(*parent.name);
                return Consumed;
            }
            *parent.named = *parent.onFile;
        }
        takeFromMother(parent);
    }
    // Shown at once, also during OK's pass over the controls: the controls after this one
    // take what they show, and must not take back the blanks the mother's values filled.
    showParent(parent);
    return GoOn;
}

int PatientForm::lookUpParent(Parent& parent)
{
    updateFields();
    if (!parentOnFile(parent)) {
        // The lookup opens near the typed name: on the first parent at or after it.
        *parent.onFile = *parent.named;
        data::AccessObject& file = data().access(parent.file);
        file.setOrder(&file.key(parent.key), true);
        file.next();
    }
    if (callLookup(parent) != Completed) {
        select(*parent.lookup);
        return Consumed;
    }
    *parent.named = *parent.onFile;
    select(*parent.afterChoice);
    takeFromMother(parent);
    showParent(parent);
    return Consumed;
}

int PatientForm::choosePhotoFile()
{
    updateFields();
    showPhoto();
    // The form takes no input while the dialog is open; other threads' windows still do.
    widget()->setEnabled(false);
    const std::optional<QString> chosen = awaitPhotoFile(widget());
    widget()->setEnabled(true);
    if (!chosen)
        return Consumed;
    extras_.photo = *chosen;
    photoName_->display();
    showPhoto();
    select(*photoLookup_);
    return Consumed;
}

} // namespace nidora::clinical
