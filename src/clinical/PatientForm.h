#pragma once

#include "clinical/PatientFormRules.h"
#include "clinical/PatientHistoryRules.h"
#include "clinical/UpdatePACIENTES.h"

#include "controls/PageTaskPanel.h"
#include "data/PatientRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEdits.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "views/FormWindow.h"

#include <array>
#include <optional>

namespace nidora::clinical {

// The window of UpdatePACIENTES: the patient record with his two important-note lines and his
// photo's file name, which the form keeps as its own values and writes to NOTASIMPO and FOTOS
// when OK is pressed; the lists of his consultations, vaccinations and pathologies with their
// forms; the pages of his early history; and the growth-chart buttons. Its sheet shows no
// tabs: the side task panel chooses its pages.
class PatientForm : public views::FormWindow {
public:
    // The pages in the order of the sheet.
    enum Page {
        DataPage,
        ConsultationsPage,
        VaccinationsPage,
        FeedingPage,
        PathologiesPage,
        PregnancyPage,
        BirthPage,
        FamilyPage,
        MilestonesPage
    };

    PatientForm();

    // Notes and photo first, then the patient as every form writes its record.
    int ok() override;

protected:
    void onOpened() override;
    int onAccepted(framework::Control& control) override;
    std::vector<framework::Control*> themedControls() const override;

private:
    // A parent named on the form, looked up in his file by name.
    struct Parent {
        framework::EntryControl* name = nullptr;
        framework::ButtonControl* lookup = nullptr;
        std::function<void()> PatientFormLookups::*procedure = nullptr;
        QString* named = nullptr; // PAC:MADRE or PAC:PADRE
        QString* onFile = nullptr; // the name in the parent file's buffer
        data::FileId file {};
        const char* key = nullptr;
        // Where the focus goes when the lookup button brought a choice.
        framework::Control* afterChoice = nullptr;
        // The parent's history on the family-history page.
        framework::TextControl* history = nullptr;
    };
    // A motor milestone: its date and the age the patient reached it at.
    struct Milestone {
        std::int32_t* date = nullptr;
        framework::EntryControl* entry = nullptr;
        MilestoneAge age;
        std::array<framework::StringControl*, 2> shown {};
    };
    // A list of the patient's history with its form.
    struct ChildList {
        views::ListPanel* panel = nullptr;
        std::function<void()> PatientFormLookups::*form = nullptr;
    };

    framework::TabControl& addPage(framework::SheetControl& sheet, const char* name, const char* caption);
    void addDataPage(framework::TabControl& page);
    void addConsultationsPage(framework::TabControl& page);
    void addVaccinationsPage(framework::TabControl& page);
    void addPathologiesPage(framework::TabControl& page);
    void addFeedingPage(framework::TabControl& page);
    void addPregnancyPage(framework::TabControl& page);
    void addBirthPage(framework::TabControl& page);
    void addFamilyPage(framework::TabControl& page);
    void addMilestonesPage(framework::TabControl& page);
    void addChartButtons();
    // The child lists call their forms through the form's own numbers (4 consultations,
    // 5 vaccinations, 6 pathologies); an action whose form is not installed is disabled.
    void connectChildList(ChildList& list, int number, const char* patientField);

    // The entries, spin boxes, the blood-group list and the coverage combo: what is filled
    // with the field colour and painted in the desktop theme.
    std::vector<framework::Control*> fields() const;
    void paintFields();
    void fillCoverages();
    void applyRights();
    void showPhoto();
    void showNotes();

    // What the form shows again after its values changed underneath it: the family-history
    // page reloads the parents named on the form. Nothing during the accept-all pass of OK.
    void refresh();
    void reloadParent(const Parent& parent);

    int acceptParentName(Parent& parent);
    int lookUpParent(Parent& parent);
    // The parent named on the form is on file (and in his buffer).
    bool parentOnFile(Parent& parent);
    // What the parent's lookup answered: 2 at once while the form only views.
    int callLookup(const Parent& parent);
    // The mother's address, telephone and coverage where the patient's qualify.
    void takeFromMother(const Parent& parent);
    void showParent(const Parent& parent);
    int choosePhotoFile();
    int takePhoto();

    // Runs a window that may read the patient again into the thread's PACIENTES buffer (a
    // child form, the prescription, a chart): it is given the patient as the form holds him,
    // and the form has its own values back, unsaved edits included, when it returns.
    void callWithPatient(const std::function<void()>& window);
    int prescribe();
    int drawChart(int chart);
    void updatePrescriptionButton();

    void applyCaesareanRule();
    void computeMilestone(Milestone& milestone);
    int acceptPlan();

    data::PACIENTES& patient_;
    PatientExtras extras_;
    Parent mother_;
    Parent father_;
    std::array<Milestone, 6> milestones_ {};
    ChildList consultations_;
    ChildList vaccinations_;
    ChildList pathologies_;
    std::optional<controls::PageTaskPanel> taskPanel_;
    framework::SheetControl* sheet_ = nullptr;
    framework::ImageControl* photo_ = nullptr;
    framework::EntryControl* photoName_ = nullptr;
    framework::ButtonControl* photoLookup_ = nullptr;
    framework::ButtonControl* camera_ = nullptr;
    framework::ComboControl* coverage_ = nullptr;
    framework::EntryControl* plan_ = nullptr;
    framework::CheckControl* caesarean_ = nullptr;
    framework::EntryControl* caesareanCause_ = nullptr;
    framework::ButtonControl* prescription_ = nullptr;
    std::array<framework::ButtonControl*, 7> charts_ {};
    // The address, telephone and coverage controls, which may take the mother's values.
    std::array<framework::Control*, 3> mothersValues_ {};
    std::array<framework::EntryControl*, 2> notes_ {};
    std::array<framework::StringControl*, 2> notesShown_ {};
    // The controls of entries shown in orange: the birth measures.
    std::vector<framework::Control*> birthMeasures_;
    // What the webcam writes the photo as: "P" and the patient's code.
    QString photoBaseName_;
    bool accepting_ = false; // the accept-all pass of OK is running
};

} // namespace nidora::clinical
