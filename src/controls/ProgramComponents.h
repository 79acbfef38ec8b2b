#pragma once

#include "framework/WindowComponents.h"

namespace nidora::controls {

class ThemeLibrary;

// The navigator, highlighter and theme manager every window of the program installs, the theme
// managers drawing through the program's theme library (which must outlive every window).
framework::WindowComponents programComponents(ThemeLibrary& library);

} // namespace nidora::controls
