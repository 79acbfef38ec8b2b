#include "framework/Colour.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace nidora::colour {

namespace {

// Where a system colour comes from: a role of the application palette, or a fixed colour
// for the few that Qt has no role for (the desktop and the caption gradients). Index 25 is
// not a system colour and stays unknown.
struct SystemSource {
    enum Kind { Unknown, Palette, Fixed } kind = Unknown;
    QPalette::ColorRole role = QPalette::NoRole;
    QPalette::ColorGroup group = QPalette::Active;
    QRgb fixed = 0;
};

constexpr SystemSource role(QPalette::ColorRole r, QPalette::ColorGroup g = QPalette::Active)
{
    return { SystemSource::Palette, r, g, 0 };
}

constexpr SystemSource fixed(int r, int g, int b)
{
    return { SystemSource::Fixed, QPalette::NoRole, QPalette::Active,
        0xFF000000u | QRgb(r << 16 | g << 8 | b) };
}

constexpr std::array<SystemSource, MenuBar + 1> systemSources = {
    role(QPalette::Button), // ScrollBar
    fixed(58, 110, 165), // Background (desktop)
    role(QPalette::Highlight), // ActiveCaption
    role(QPalette::Dark), // InactiveCaption
    role(QPalette::Window), // Menu
    role(QPalette::Base), // Window
    role(QPalette::Shadow), // WindowFrame
    role(QPalette::WindowText), // MenuText
    role(QPalette::Text), // WindowText
    role(QPalette::HighlightedText), // CaptionText
    role(QPalette::Window), // ActiveBorder
    role(QPalette::Window), // InactiveBorder
    role(QPalette::Dark), // AppWorkspace
    role(QPalette::Highlight), // Highlight
    role(QPalette::HighlightedText), // HighlightText
    role(QPalette::Button), // ButtonFace
    role(QPalette::Dark), // ButtonShadow
    role(QPalette::Text, QPalette::Disabled), // GrayText
    role(QPalette::ButtonText), // ButtonText
    role(QPalette::Midlight), // InactiveCaptionText
    role(QPalette::Light), // ButtonHighlight
    role(QPalette::Shadow), // DarkShadow3D
    role(QPalette::Midlight), // Light3D
    role(QPalette::ToolTipText), // InfoText
    role(QPalette::ToolTipBase), // InfoBackground
    SystemSource {}, // 25: no such colour
    role(QPalette::Link), // HotLight
    fixed(185, 209, 234), // GradientActiveCaption
    fixed(215, 228, 242), // GradientInactiveCaption
    role(QPalette::Highlight), // MenuHighlight
    role(QPalette::Window), // MenuBar
};

} // namespace

bool isSystemColour(quint32 value)
{
    return (value & 0xF0000000u) != 0;
}

int systemColourIndex(quint32 value)
{
    return int(value & 0xFFu);
}

QColor toQColor(quint32 value)
{
    if (!isSystemColour(value))
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    const auto index = std::size_t(systemColourIndex(value));
    const SystemSource source = index < systemSources.size() ? systemSources[index] : SystemSource {};
    switch (source.kind) {
    case SystemSource::Palette:
        return QGuiApplication::palette().color(source.group, source.role);
    case SystemSource::Fixed:
        return QColor::fromRgb(source.fixed);
    case SystemSource::Unknown:
        break;
    }
    return QColor(Qt::black);
}

quint32 fromQColor(const QColor& c)
{
    return fromRgb(c.red(), c.green(), c.blue());
}

} // namespace nidora::colour
