#include "controls/ThemeManager.h"

#include "controls/ThemeLibrary.h"
#include "controls/ThemedBorder.h"
#include "controls/ThemedComboBox.h"
#include "controls/ThemedEntry.h"
#include "controls/ThemedSheet.h"
#include "controls/ThemedSpinBox.h"
#include "framework/Control.h"

#include <QComboBox>

namespace nidora::controls {

using framework::ControlKind;

namespace {

// A list or combo that drops down shows some rows when it does.
bool hasDropPart(const framework::Control& control)
{
    const auto* combo = qobject_cast<const QComboBox*>(control.widget());
    return combo && combo->maxVisibleItems() > 0;
}

} // namespace

ThemeManager::ThemeManager(ThemeLibrary& library)
    : library_(library)
{
}

ThemeManager::~ThemeManager()
{
    kill();
}

std::unique_ptr<ThemedControl> ThemeManager::painterFor(
    const framework::Control& control, ThemeLibrary& library)
{
    switch (control.kind()) {
    case ControlKind::Entry:
        return std::make_unique<ThemedEntry>(library);
    case ControlKind::List:
    case ControlKind::DropList:
    case ControlKind::DropCombo:
    case ControlKind::Combo:
        if (hasDropPart(control))
            return std::make_unique<ThemedComboBox>(library);
        if (control.kind() == ControlKind::List)
            return std::make_unique<ThemedBorder>(library);
        return nullptr;
    case ControlKind::Spin:
        return std::make_unique<ThemedSpinBox>(library);
    case ControlKind::Text:
        return std::make_unique<ThemedBorder>(library);
    case ControlKind::Sheet:
        return std::make_unique<ThemedSheet>(library);
    default:
        return nullptr;
    }
}

void ThemeManager::addControl(framework::Control& control)
{
    std::unique_ptr<ThemedControl> painter = painterFor(control, library_);
    if (!painter)
        return;
    painter->setNoLib(!library_.hasLib());
    ThemedControl& added = *painter;
    registerPainter(std::move(painter));
    // A painter that cannot attach (the theme is off) stays, drawing nothing, until the kill.
    added.init(control);
}

void ThemeManager::registerPainter(std::unique_ptr<ThemedControl> painter)
{
    if (painter)
        controlsQ_.push_back(std::move(painter));
}

void ThemeManager::redrawAll()
{
    for (const auto& painter : controlsQ_)
        painter->refresh();
}

void ThemeManager::kill()
{
    for (auto& painter : controlsQ_) {
        painter->kill();
        painter.reset();
    }
    controlsQ_.clear();
}

} // namespace nidora::controls
