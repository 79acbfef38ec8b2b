#pragma once

#include "core/AgeAtDate.h"
#include "data/PatientRecords.h"
#include "framework/ControlLabels.h"
#include "views/FormWindow.h"

#include <array>
#include <cstdint>

namespace nidora::clinical {

// What the forms of a patient's clinical history share: the patient in the thread's buffer, as
// the calling form holds him (read from the file only when the buffer holds another), and the
// age at a date shown as years, months and days.
class ClinicalForm : public views::FormWindow {
public:
    ClinicalForm(QString procedureName, data::FileId file, views::FormCaptions captions);

protected:
    data::PACIENTES& patient() { return patient_; }

    // The "Paciente:" prompt at the head of a page, which is the form's first control: the
    // focus goes to the first field after the patient's code and name, which only show.
    framework::PromptControl& addPatientPrompt(framework::Control& page, const framework::DialogRect& at);
    // A value that only shows, through a picture, on a page (or on the window itself).
    template <class T>
    framework::StringControl& addShown(framework::Control* page, const QString& name,
        const framework::DialogRect& at, const char* picture, T& value)
    {
        const Picture shown = *parsePicture(QString::fromUtf8(picture));
        if (!page)
            return add<framework::StringControl>(name, at, shown, framework::bindTo(value));
        return addIn<framework::StringControl>(*page, name, at, shown, framework::bindTo(value));
    }
    // The three parts of an age, side by side from `at` ("?CON:ANIOS", "?CON:MESES", "?CON:DIAS").
    void addAge(framework::Control& page, const QString& prefix, const framework::DialogRect& at,
        std::uint8_t& years, std::uint8_t& months, std::uint8_t& days);
    // The patient's age at the date, stored in the record's three fields and shown.
    template <class R> void takeAge(R& record, Date date)
    {
        const Age age = AgeAtDate(patient_.FNACIMIENTO, date);
        record.ANIOS = age.years;
        record.MESES = age.months;
        record.DIAS = age.days;
        for (framework::StringControl* part : age_)
            if (part)
                part->display();
    }

    // Makes sure the buffers hold what the form shows besides its own record (its patient, the
    // consultation), then shows every control; what onOpened does.
    void refresh();
    virtual void holdShownRecords() = 0;

    void onOpened() override;

private:
    data::PACIENTES& patient_;
    std::array<framework::StringControl*, 3> age_ {};
};

} // namespace nidora::clinical
