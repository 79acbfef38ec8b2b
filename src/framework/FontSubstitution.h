#pragma once

#include <QFont>
#include <QString>

namespace nidora::framework {

// The installed family that stands in for a font the windows and layouts name: "MS Sans Serif",
// "Tahoma" and "Arial" are drawn with Liberation Sans, "Courier New" with Liberation Mono, both
// metric-compatible so texts break and fit as designed. The names are matched without regard
// to case; any other family is used as it stands.
QString substituteFontFamily(const QString& family);

// The font of a window or control description: the substituted family at the given size.
QFont describedFont(const QString& family, int pointSize, bool bold = false);

// The font of a printed page: drawn and measured with the substituted family like
// `describedFont`, and still naming the family the layout gives, which `describedFamily` tells,
// so that a page kept as a file names the face the practice's other machines know.
QFont describedPageFont(const QString& family, int pointSize, bool bold = false);
// The family a font was described with: the one of its families that the table stands in
// for, else the family it draws with.
QString describedFamily(const QFont& font);

// A font made the way a control makes its own: the substituted family, a height in pixels
// and a weight from 100 (thin) to 900 (black). The faces the program names come in regular
// and bold only, so a weight lighter than regular asked of them always read as regular; it
// is drawn as regular here too, not in some other family's extra-light face.
QFont describedPixelFont(const QString& family, int pixelHeight, int weight);

} // namespace nidora::framework
