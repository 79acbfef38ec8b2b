#pragma once

#include <QString>

#include <cstddef>
#include <span>

namespace nidora::shell {

// What a frame command does when chosen: start a window's procedure on a new thread, or one of
// the frame's own actions.
enum class FrameAction {
    StartProcedure,
    PrinterSetup,
    Exit,
    Cut,
    Copy,
    Paste,
    Tile,
    Cascade,
    ArrangeIcons,
    HelpPage,
    Email,
};

// One menu item or toolbar button. The control number is the frame's own (negative) and names
// the command in events and tests.
struct FrameCommand {
    int control;
    const char* text; // the menu item's text, or the toolbar button's caption ("" for none)
    const char* tooltip;
    const char* statusTip;
    const char* icon; // "" for none
    int right; // the access right the command needs, 0 for none
    FrameAction action;
    const char* procedure; // for StartProcedure
    std::size_t stackSize; // for StartProcedure
};

struct FrameMenu {
    int control; // 0: the menu has no control number
    const char* title;
    const char* statusTip;
    std::span<const FrameCommand> items;
    bool listsWindows; // the open windows are listed after the items
};

std::span<const FrameMenu> frameMenus();
std::span<const FrameCommand> frameToolbar();

// The menu item or toolbar button of that control number, or null.
const FrameCommand* findFrameCommand(int control);

// The address of the toolbar's e-mail link and the procedure started as the frame opens.
inline constexpr const char* kContactAddress = "consultas@nidora.example";
inline constexpr const char* kSplashProcedure = "PantallaFondo";
inline constexpr const char* kHelpPage = "nidora.htm";

inline QString tableText(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace nidora::shell
