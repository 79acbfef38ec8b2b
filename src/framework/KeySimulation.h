#pragma once

namespace nidora::framework {

class Window;

// Queues a key, by its key code (KeyCodes.h), for the control that has the focus in the window,
// as if the user had typed it: it goes through the window's alert keys and the control's own
// handling, so a simulated Tab moves the focus by the window's tab order. The lone Shift key
// (keys::withShift(keys::Shift)) is sent as a press and release of Shift. A code that is no key
// is ignored.
void pressKey(Window& window, int code);

} // namespace nidora::framework
