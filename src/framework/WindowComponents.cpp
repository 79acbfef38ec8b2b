#include "framework/WindowComponents.h"

namespace nidora::framework {

namespace {

WindowComponents& installed()
{
    static WindowComponents components;
    return components;
}

template <class Component>
std::unique_ptr<Component> make(const std::function<std::unique_ptr<Component>()>& factory)
{
    if (factory)
        if (auto made = factory())
            return made;
    return std::make_unique<Component>();
}

} // namespace

void setWindowComponents(WindowComponents components)
{
    installed() = std::move(components);
}

std::unique_ptr<KeyboardNavigator> makeKeyboardNavigator()
{
    return make(installed().makeNavigator);
}

std::unique_ptr<FocusHighlighter> makeFocusHighlighter()
{
    return make(installed().makeHighlighter);
}

std::unique_ptr<ThemeManager> makeThemeManager()
{
    return make(installed().makeThemeManager);
}

bool themeLibraryLoaded()
{
    return installed().themeLibraryLoaded && installed().themeLibraryLoaded();
}

} // namespace nidora::framework
