#pragma once

#include "framework/ControlEntry.h"
#include "practice/PracticeForm.h"

// What the library's three forms share: the entry of the name the form is about (a topic, a
// title or an article), which may not be left blank, the entries of the topic and title it
// belongs to, shown but not editable, and OK and Cancel at the foot.
namespace nidora::practice {

class LibraryForm : public PracticeForm {
public:
    using PracticeForm::PracticeForm;

protected:
    // The name's prompt and entry (@s40) on one line; the entry is painted in the desktop theme,
    // takes the focus first and must not be blank on OK. blankMessage says what to type.
    framework::EntryControl& addName(
        const QString& prompt, const QString& name, int y, QString& value, const QString& blankMessage);
    // A prompt and an entry (@s40) that shows a value the form does not change.
    framework::EntryControl& addShown(const QString& prompt, const QString& name, int y, QString& value);
    // OK and Cancel, in the window's lower right corner.
    void addButtons();

    int ok() override;

    static constexpr int kPromptX = 8;
    static constexpr int kFieldX = 48;

private:
    framework::EntryControl* name_ = nullptr;
    QString blankMessage_;
    QString* nameValue_ = nullptr;
};

} // namespace nidora::practice
