#pragma once

#include "views/DataWindow.h"

#include <QString>

#include <functional>

namespace nidora::framework {
class ButtonControl;
class EntryControl;
} // namespace nidora::framework

// What every report prompt shares: the window "Informes" on its paper background, the prompt
// values bound to its controls (so each shows what the last prompt left), the OK button that
// takes what the window shows, fills OUTPUT where the prompt computes rows and calls the report
// on the prompt's own thread, and closes once the report returns. There is no cancel button:
// closing the window prints nothing. The patient selection and the date range are the pieces
// several prompts have.
namespace nidora::reports {

class PromptWindow : public views::DataWindow {
public:
    // The window's height in dialog units with one line of choices above its OK button, and
    // with two.
    static constexpr int kOneLine = 54;
    static constexpr int kTwoLines = 72;

protected:
    PromptWindow(QString procedureName, data::FileId primary, int height);

    // "Paciente:" with the code entry and its lookup button, on the line at y.
    void addPatientSelection(int y);
    // "Fechas:", "Desde:" ?DF, "Hasta:" ?HF on the line at y.
    void addDateRange(int y);
    // The OK button at the right, on the line at y; the last of the window's controls.
    void addOk(int y);

    // The filling prompts compute their rows into OUTPUT here; false stops before the report.
    virtual bool fill() { return true; }
    virtual void print() = 0;

    // Shows the prompt values as set-up left them (with this prompt's defaults).
    void onOpened() override;
    int onAccepted(framework::Control& control) override;
    void closeFiles() override;

    // Fills OUTPUT with the rows `write` inserts, in the thread's own copy of it.
    using RowWriter = std::function<bool(data::Dictionary&, data::AccessObject&)>;
    bool fillOutput(const RowWriter& write);

private:
    int patientTyped();
    int lookUpPatient();
    bool choosePatient();

    framework::EntryControl* patient_ = nullptr;
    framework::ButtonControl* lookup_ = nullptr;
    framework::EntryControl* from_ = nullptr;
    framework::ButtonControl* ok_ = nullptr;
};

} // namespace nidora::reports
