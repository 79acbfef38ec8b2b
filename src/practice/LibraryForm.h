#pragma once

#include "framework/ControlEntry.h"
#include "views/FormWindow.h"

#include <vector>

// What the library's three forms share: the entry of the name the form is about (a topic, a
// title or an article), which may not be left blank, the entries of the topic and title it
// belongs to, shown but not editable, and OK and Cancel at the foot.
namespace nidora::practice {

class LibraryForm : public views::FormWindow {
public:
    LibraryForm(QString procedureName, data::FileId file, views::FormCaptions captions,
        const QString& caption, int width, int height);

protected:
    // The name's prompt and entry (@s40) on one line; the entry is painted in the desktop theme,
    // takes the focus first and must not be blank on OK. blankMessage says what to type.
    framework::EntryControl& addName(
        const QString& prompt, const QString& name, int y, QString& value, const QString& blankMessage);
    // A prompt and an entry (@s40) that shows a value the form does not change.
    framework::EntryControl& addShown(const QString& prompt, const QString& name, int y, QString& value);
    // OK and Cancel, in the window's lower right corner.
    void addButtons();
    // Another control painted in the desktop theme.
    void addThemed(framework::Control& control) { themed_.push_back(&control); }

    int ok() override;
    std::vector<framework::Control*> themedControls() const override { return themed_; }

    static constexpr int kPromptX = 8;
    static constexpr int kFieldX = 48;

private:
    int width_;
    int height_;
    framework::EntryControl* name_ = nullptr;
    QString blankMessage_;
    QString* nameValue_ = nullptr;
    std::vector<framework::Control*> themed_;
};

} // namespace nidora::practice
