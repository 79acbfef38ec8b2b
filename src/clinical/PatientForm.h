#pragma once

#include "clinical/PatientFormRules.h"
#include "clinical/UpdatePACIENTES.h"

#include "data/PatientRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlSheet.h"
#include "views/FormWindow.h"

#include <array>

namespace nidora::clinical {

// The window of UpdatePACIENTES: the patient record with his two important-note lines and his
// photo's file name, which the form keeps as its own values and writes to NOTASIMPO and FOTOS
// when OK is pressed. Its sheet shows no tabs: each page is chosen by the program.
class PatientForm : public views::FormWindow {
public:
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
        std::function<void()> PatientFormLookups::*procedure;
        QString* named; // PAC:MADRE or PAC:PADRE
        QString* onFile; // the name in the parent file's buffer
        data::FileId file;
        const char* key;
        // Where the focus goes when the lookup button brought a choice.
        framework::Control* afterChoice = nullptr;
    };

    void addDataPage(framework::SheetControl& sheet);
    // The entries, the blood-group list and the coverage combo: what is filled with the field
    // colour and painted in the desktop theme.
    std::vector<framework::Control*> fields() const;
    void paintFields();
    void fillCoverages();
    void hideNotes();
    void showPhoto();

    int acceptParentName(Parent& parent);
    int lookUpParent(Parent& parent);
    // The parent named on the form is on file (and in his buffer).
    bool parentOnFile(Parent& parent);
    // What the parent's lookup answered: 2 at once while the form only views.
    int callLookup(const Parent& parent);
    // The mother's address, telephone and coverage where the patient's qualify.
    void takeFromMother(const Parent& parent);
    int choosePhotoFile();

    data::PACIENTES& patient_;
    PatientExtras extras_;
    Parent mother_;
    Parent father_;
    framework::ImageControl* photo_ = nullptr;
    framework::EntryControl* photoName_ = nullptr;
    framework::ButtonControl* photoLookup_ = nullptr;
    framework::ComboControl* coverage_ = nullptr;
    std::array<framework::EntryControl*, 2> notes_ {};
};

} // namespace nidora::clinical
