#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace nidora::framework {

// A position and size as window descriptions give them: in dialog units, a quarter of the
// window font's average character width across and an eighth of its height down.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Maps dialog units to pixels for one font, so a layout keeps its proportions whatever font
// the window ends up with.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QSize toPixels(QSize units) const;
    QRect toPixels(const DialogRect& units) const;

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace nidora::framework
