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

} // namespace nidora::framework
