#include "clinical/PatientForm.h"

#include "clinical/ChoiceLists.h"

#include "data/AccessBuffer.h"
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

// Light yellow for the data fields, pink for the note lines, orange for the birth measures.
constexpr quint32 kFieldColour = 0x80FFFF;
constexpr quint32 kNoteColour = 0xC080FF;
constexpr quint32 kBirthMeasureColour = 0x60C8FF;

// Waits, without a nested event loop, for the user to choose a picture file: its full name, or
// empty when the dialog was cancelled; nothing when the thread is asked to end first.
std::optional<QString> awaitPhotoFile(QWidget* parent)
{
    return framework::awaitAnswer<QString>([parent](auto done) {
        platform::FileChooserService::current().choose(parent, QStringLiteral("Buscar archivo imagen"),
            { QStringLiteral("Archivos de imágenes"), { "*.jpg", "*.bmp", "*.gif" } }, std::move(done));
    });
}

using Task = controls::PageTaskPanel::Task;

std::vector<controls::PageTaskPanel::Header> panelHeaders()
{
    using Page = PatientForm::Page;
    return {
        { QStringLiteral("Clínica"), 32,
            { Task { QStringLiteral("Datos"), QStringLiteral("estadocta.ico"), Page::DataPage },
                Task {
                    QStringLiteral("Consultas"), QStringLiteral("stethoscope.ico"), Page::ConsultationsPage },
                Task { QStringLiteral("Vacunas"), QStringLiteral("syringe.ico"), Page::VaccinationsPage },
                Task { QStringLiteral("Alimentación"), QStringLiteral("Apple.ico"), Page::FeedingPage },
                Task { QStringLiteral("Hitos motores"), QStringLiteral("bike.ico"), Page::MilestonesPage },
                Task { QStringLiteral("Patologías"), QStringLiteral("DNA.ico"), Page::PathologiesPage } } },
        { QStringLiteral("Prenatal"), 16,
            { Task { QStringLiteral("Embarazo"), QStringLiteral("embarazo.ICO"), Page::PregnancyPage },
                Task { QStringLiteral("Parto"), QStringLiteral("parto.ICO"), Page::BirthPage },
                Task { QStringLiteral("Antecedentes Familiares"), QStringLiteral("people2.ICO"),
                    Page::FamilyPage } } },
    };
}

} // namespace

PatientForm::PatientForm()
    : FormWindow(QStringLiteral("UpdatePACIENTES"), data::FileId::PACIENTES,
        { QStringLiteral("Nuevo Paciente"), QStringLiteral("Edición de Paciente"),
            QStringLiteral("Borrar Paciente"), QStringLiteral("Pacientes") })
    , patient_(record<data::PACIENTES>())
{
    // The patient's relations open his family, notes, photo, coverage and history files with
    // his own. Left of the sheet is the room of the task panel, right of it that of the chart
    // buttons.
    openAlso(data::FileId::GRAFICO);
    openAlso(data::FileId::TABCRECIMIENTO);
    setSize(610, 272);
    setCentred();
    add<framework::ImageControl>(QStringLiteral("?XPTASKPANEL"), { 2, 4, 98, 264 });
    sheet_ = &add<framework::SheetControl>(
        QStringLiteral("?SHEET2"), { 104, 4, 404, 244 }, framework::SheetControl::Style::Wizard);
    addDataPage(addPage(*sheet_, "?TAB9", "Tab 9"));
    addConsultationsPage(addPage(*sheet_, "?TAB10", "Tab 10"));
    addVaccinationsPage(addPage(*sheet_, "?TAB17", "Tab 17"));
    addFeedingPage(addPage(*sheet_, "?TAB20", "Tab 20"));
    addPathologiesPage(addPage(*sheet_, "?TAB21", "Tab 21"));
    addPregnancyPage(addPage(*sheet_, "?TAB22", "Tab 22"));
    addBirthPage(addPage(*sheet_, "?TAB23", "Tab 23"));
    addFamilyPage(addPage(*sheet_, "?TAB24", "Tab 24"));
    addMilestonesPage(addPage(*sheet_, "?TAB11", "Tab 11"));
    addChartButtons();
    addOk(QStringLiteral("?OK"), { 494, 252, 54, 16 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { 552, 252, 54, 16 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
    paintFields();
    setFirstControl(control(QStringLiteral("?PAC:GRUPO"))->number());
    taskPanel_.emplace(panelHeaders(),
        controls::PanelMargins { .TOP = 10, .LEFT = 4, .RIGHT = 4, .BOTTOM = 10 },
        [this](int page) { sheet_->setCurrentPage(page); });
}

framework::TabControl& PatientForm::addPage(
    framework::SheetControl& sheet, const char* name, const char* caption)
{
    return addIn<framework::TabControl>(sheet, QString::fromUtf8(name), {}, QString::fromUtf8(caption));
}

void PatientForm::onOpened()
{
    FormWindow::onOpened();
    taskPanel_->Init(control(1)->widget());
    fillCoverages();
    giveCurrentPhysician(patient_, views::AppGlobals.CurrentPhysician);
    extras_ = readPatientExtras(data(), patient_.CODIGO);
    showPhoto();
    for (Milestone& milestone : milestones_)
        computeMilestone(milestone);
    applyCaesareanRule();
    applyRights();
    refresh();
    display();
}

int PatientForm::ok()
{
    if (session().okSaves()) {
        updateFields();
        writePatientExtras(data(), patient_.CODIGO, extras_);
    }
    accepting_ = true;
    const int result = FormWindow::ok();
    accepting_ = false;
    return result;
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
    for (Milestone& milestone : milestones_)
        if (&control == milestone.entry) {
            computeMilestone(milestone);
            return GoOn;
        }
    for (std::size_t chart = 0; chart < charts_.size(); ++chart)
        if (&control == charts_[chart])
            return drawChart(static_cast<int>(chart));
    if (&control == photoName_)
        showPhoto();
    else if (&control == photoLookup_)
        return choosePhotoFile();
    else if (&control == camera_)
        return takePhoto();
    else if (&control == plan_)
        return acceptPlan();
    else if (&control == caesarean_)
        applyCaesareanRule();
    else if (&control == prescription_)
        return prescribe();
    else if (&control == notes_[0] || &control == notes_[1])
        showNotes();
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
        if (each->kind() == ControlKind::Entry || each->kind() == ControlKind::Spin
            || each->kind() == ControlKind::DropList || each->kind() == ControlKind::Combo)
            found.push_back(each.get());
    return found;
}

void PatientForm::paintFields()
{
    for (Control* field : fields())
        field->setBackground(kFieldColour);
    for (framework::EntryControl* line : notes_)
        line->setBackground(kNoteColour);
    for (Control* measure : birthMeasures_)
        measure->setBackground(kBirthMeasureColour);
}

void PatientForm::fillCoverages()
{
    coverage_->setChoices(coverageNames(data()));
}

void PatientForm::applyRights()
{
    if (views::AppGlobals.hasRight(kClinicalHistoryRight))
        return;
    // Off as well as out of sight, so no key or menu reaches the consultations and the
    // accept-all pass of OK passes over the note lines, whose lines are written back as read.
    for (const views::ListButton role :
        { views::ListButton::Insert, views::ListButton::Change, views::ListButton::Delete })
        consultations_.panel->allow(role, false);
    const std::vector<Control*> hidden { &consultations_.panel->list(), prescription_, notes_[0], notes_[1],
        notesShown_[0], notesShown_[1] };
    for (Control* each : hidden) {
        each->setVisible(false);
        each->setEnabled(false);
    }
    // The prompt stays where it is, greyed, so the page keeps one layout whatever the user's
    // rights.
    control(QStringLiteral("?AUXNOTA1:Prompt"))->setEnabled(false);
}

void PatientForm::showPhoto()
{
    photo_->setFile(extras_.photo.trimmed());
}

void PatientForm::showNotes()
{
    for (framework::StringControl* line : notesShown_)
        line->display();
}

void PatientForm::refresh()
{
    if (accepting_)
        return;
    for (const Parent* parent : { &father_, &mother_ })
        reloadParent(*parent);
}

void PatientForm::reloadParent(const Parent& parent)
{
    data::AccessObject& file = data().access(parent.file);
    data::clearRecord(file.desc(), file.buffer());
    // A blank name names nobody, whatever nameless parent the file may hold.
    if (!parent.named->trimmed().isEmpty()) {
        *parent.onFile = *parent.named;
        if (file.tryFetch(file.key(parent.key)) != data::AccessResult::Ok)
            data::clearRecord(file.desc(), file.buffer());
    }
    parent.history->display();
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
    refresh();
}

int PatientForm::acceptParentName(Parent& parent)
{
    if (!parent.named->trimmed().isEmpty()) {
        if (!parentOnFile(parent)) {
            // With no lookup to choose from, the name stays as typed and the form goes on.
            if (!(patientFormLookups().*parent.procedure)) {
                refresh();
                return GoOn;
            }
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
    // A cancelled dialog chose nothing: the photo the patient has stays his.
    if (!chosen || chosen->isEmpty())
        return Consumed;
    extras_.photo = *chosen;
    photoName_->display();
    showPhoto();
    select(*photoLookup_);
    return Consumed;
}

int PatientForm::takePhoto()
{
    const auto& camera = patientFormLookups().camera;
    if (!camera)
        return Consumed;
    photoBaseName_ = photoBaseName(patient_.CODIGO);
    updateFields();
    // A camera window closed without saving wrote nothing: the photo the patient had stays his.
    const bool wrote = camera(photoBaseName_);
    refresh();
    if (wrote) {
        extras_.photo = photoBaseName_ + QStringLiteral(".jpg");
        photoName_->display();
    }
    showPhoto();
    return Consumed;
}

void PatientForm::applyCaesareanRule()
{
    // Blank only while the box was never touched: once ticked, the reason stays open to typing.
    caesareanCause_->setEnabled(!patient_.CESAREA.trimmed().isEmpty());
}

void PatientForm::computeMilestone(Milestone& milestone)
{
    milestone.age = milestoneAge(patient_.FNACIMIENTO, *milestone.date);
    for (framework::StringControl* shown : milestone.shown)
        shown->display();
}

int PatientForm::acceptPlan()
{
    // Only a form that writes generates: viewing or deleting adds no rows. Each acceptance,
    // by Enter or by OK's pass over the controls, adds every planned dose of the plan the
    // patient has no row for, one deleted by hand included; the doses he has stay as they are.
    if (request() != InsertRecord && request() != ChangeRecord)
        return GoOn;
    if (generatePlannedVaccinations(data(), patient_) > 0)
        vaccinations_.panel->refresh();
    return GoOn;
}

} // namespace nidora::clinical
