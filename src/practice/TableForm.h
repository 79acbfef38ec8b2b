#pragma once

#include "framework/ControlSheet.h"
#include "practice/PracticeForm.h"

// What the forms of the reference tables share: the background, a sheet of pages standing
// over the whole form (wizard-style unless the form shows its tabs), OK and Cancel at its foot
// with OK left out of the keyboard order, and the controls the form hands to the theme manager.
namespace nidora::practice {

class TableForm : public PracticeForm {
public:
    // width and height: the form's inner size in dialog units; the sheet takes all but the
    // foot where OK and Cancel stand.
    TableForm(QString procedureName, data::FileId file, views::FormCaptions captions, const QString& caption,
        int width, int height, framework::SheetControl::Style style = framework::SheetControl::Style::Wizard);

    static constexpr int kFootHeight = 26;

protected:
    // A page of the sheet, named "?TAB1", "?TAB2"... in the order they are added.
    framework::TabControl& addPage(const QString& caption);
    framework::SheetControl& sheet() { return *sheet_; }
    // OK and Cancel, once every other control has been added.
    void addButtons();

private:
    framework::SheetControl* sheet_;
};

} // namespace nidora::practice
