#pragma once

// The codes of the events a window's loop takes. Codes below FirstFrameEvent are the
// procedures' own: a window may post them to itself (RedrawHighlight, or a code a procedure
// chooses) and they reach its window-event handler.
namespace nidora::framework::event {

// Posted by the window after every resize, so the focus highlighter draws its mark again.
constexpr int RedrawHighlight = 1023;

constexpr int FirstFrameEvent = 0x2000;

// Events of a control.
constexpr int Accepted = 0x2001; // the user finished with the control (typed, clicked, chose)
constexpr int NewSelection = 0x2002; // another row, item or tab became the current one
constexpr int Selected = 0x2003; // the control took the focus
constexpr int Rejected = 0x2004; // what the user typed is no value of the control
constexpr int AlertKey = 0x2005; // an alert key was pressed on the control; the value is its code

// Events of the window itself.
constexpr int CloseWindow = 0x3001; // the user or the program asked the window to close
constexpr int Timer = 0x3002;
constexpr int Sized = 0x3003;
constexpr int GainFocus = 0x3004;
constexpr int LoseFocus = 0x3005;
// The program is closing down (CloseDown.h): the window closes as its close box would close it.
constexpr int CloseDown = 0x3006;

} // namespace nidora::framework::event
