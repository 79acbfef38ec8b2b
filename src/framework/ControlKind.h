#pragma once

namespace nidora::framework {

// A control's kind, by the numbers the keyboard navigator, the focus highlighter and the theme
// manager compare.
enum class ControlKind {
    StringVariable = 1,
    String = 2,
    Image = 3,
    Region = 4,
    Line = 5,
    Box = 6,
    Ellipse = 7,
    Entry = 8,
    Button = 9,
    Prompt = 10,
    Option = 11,
    Check = 12,
    Group = 13,
    List = 14,
    Combo = 15,
    Spin = 16,
    Text = 17,
    Menu = 19,
    MenuItem = 20,
    Radio = 21,
    DropList = 33,
    DropCombo = 34,
    Progress = 35,
    Sheet = 37,
    Tab = 38,
    Panel = 39,
};

} // namespace nidora::framework
