#pragma once

#include "clinical/ClinicalForm.h"

#include "data/ClinicalRecords.h"
#include "framework/ControlButton.h"
#include "framework/ControlCombo.h"
#include "framework/ControlEntry.h"

#include <vector>

namespace nidora::clinical {

// The window of UpdateCONSULTAS: a sheet with the tabs "General" and "Honorarios", and beneath
// it the patient's two important-note lines and OK and Cancel.
class ConsultationForm final : public ClinicalForm {
public:
    ConsultationForm();

    // The confirmed diagnosis is recorded as a pathology of the patient first, whatever the
    // request; then the consultation is written as every form writes its record.
    int ok() override;

protected:
    bool onSetUp() override;
    void onOpened() override;
    int onAccepted(framework::Control& control) override;
    std::vector<framework::Control*> themedControls() const override { return themed_; }
    void holdShownRecords() override;

private:
    void addGeneralPage(framework::SheetControl& sheet);
    void addFeesPage(framework::SheetControl& sheet);
    void addStudies(framework::Control& page);

    // The form-calling operation: 1 the reasons' form, 2 the study form, 3 nothing (the
    // response stays as it is). A form opened for viewing calls nothing and answers 2.
    int callForm(int number, std::uint8_t request);
    void runForm(int number);
    void runStudyForm();

    int acceptReason();
    int addReason(const QString& typed);
    int lookUpDiagnosis();

    data::CONSULTAS& consultation_;
    // The reason the consultation held when the form opened.
    QString heldReason_;
    framework::EntryControl* date_ = nullptr;
    framework::ComboControl* reason_ = nullptr;
    framework::EntryControl* diagnosis_ = nullptr;
    framework::ButtonControl* diagnosisLookup_ = nullptr;
    framework::Control* notesPrompt_ = nullptr;
    std::vector<framework::Control*> themed_;
};

} // namespace nidora::clinical
