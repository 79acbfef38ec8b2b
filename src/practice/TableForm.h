#pragma once

#include "framework/ControlSheet.h"
#include "views/FormWindow.h"

#include <vector>

// What the forms of the reference tables share: the background, a sheet of pages standing
// over the whole form (wizard-style unless the form shows its tabs), OK and Cancel at its foot
// with OK left out of the keyboard order, and the controls the form hands to the theme manager.
namespace nidora::practice {

class TableForm : public views::FormWindow {
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
    // A control painted in the desktop theme.
    template <class C> C& themed(C& control)
    {
        themed_.push_back(&control);
        return control;
    }

    std::vector<framework::Control*> themedControls() const override { return themed_; }

private:
    int width_;
    int height_;
    framework::SheetControl* sheet_;
    std::vector<framework::Control*> themed_;
};

} // namespace nidora::practice
