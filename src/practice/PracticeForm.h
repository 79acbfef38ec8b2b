#pragma once

#include "views/FormWindow.h"

#include <vector>

// What the practice's small record forms share: centred on the background picture, OK and
// Cancel side by side at their foot, and the controls they hand to the theme manager.
namespace nidora::practice {

class PracticeForm : public views::FormWindow {
public:
    // width and height: the form's inner size in dialog units.
    PracticeForm(QString procedureName, data::FileId file, views::FormCaptions captions,
        const QString& caption, int width, int height);

protected:
    int formWidth() const { return width_; }
    int formHeight() const { return height_; }
    // OK and Cancel on line y, Cancel's right edge at x = right.
    void addOkAndCancel(int y, int right);
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
    std::vector<framework::Control*> themed_;
};

} // namespace nidora::practice
