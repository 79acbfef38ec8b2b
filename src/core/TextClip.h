#pragma once

#include <QString>

namespace nidora {

// The text without the spaces a fixed-length field pads it with on the right; spaces the text
// begins with are its own and stay.
QString clipped(QString text);

} // namespace nidora
