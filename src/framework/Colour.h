#pragma once

#include <QColor>
#include <QtGlobal>

// Colours are stored as a LONG 0x00BBGGRR, red in the lowest byte. A value with any of its
// four highest bits set does not hold a colour of its own: it names a system colour by its
// index in the lowest byte, and is resolved against the application palette when painted.
namespace nidora::colour {

// Indices of the system colours, as the stored values name them.
enum SystemColour : int {
    ScrollBar = 0,
    Background = 1,
    ActiveCaption = 2,
    InactiveCaption = 3,
    Menu = 4,
    Window = 5,
    WindowFrame = 6,
    MenuText = 7,
    WindowText = 8,
    CaptionText = 9,
    ActiveBorder = 10,
    InactiveBorder = 11,
    AppWorkspace = 12,
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    GrayText = 17,
    ButtonText = 18,
    InactiveCaptionText = 19,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
    InfoText = 23,
    InfoBackground = 24,
    HotLight = 26,
    GradientActiveCaption = 27,
    GradientInactiveCaption = 28,
    MenuHighlight = 29,
    MenuBar = 30,
};

// The flag that marks a stored value as a system colour.
constexpr quint32 systemColourFlag = 0x80000000u;

constexpr quint32 fromRgb(int r, int g, int b)
{
    return (quint32(b & 0xFF) << 16) | (quint32(g & 0xFF) << 8) | quint32(r & 0xFF);
}

// The stored value that names the system colour of the given index.
constexpr quint32 systemColour(int index)
{
    return systemColourFlag | quint32(index & 0xFF);
}

// True when any of the four highest bits is set.
bool isSystemColour(quint32 value);

// The index of a system colour: the lowest byte of the value.
int systemColourIndex(quint32 value);

// The colour to paint with. System colours are taken from the application palette (or a
// fixed colour where the palette has no matching role); an unknown index gives black.
QColor toQColor(quint32 value);

// The stored value of a plain colour (alpha is dropped).
quint32 fromQColor(const QColor& c);

} // namespace nidora::colour
