#include "controls/ProgramComponents.h"

#include "controls/FocusHighlighter.h"
#include "controls/TabOrderNavigator.h"
#include "controls/ThemeLibrary.h"
#include "controls/ThemeManager.h"

namespace nidora::controls {

framework::WindowComponents programComponents(ThemeLibrary& library)
{
    return framework::WindowComponents {
        [] { return std::make_unique<TabOrderNavigator>(); },
        [] { return std::make_unique<FocusHighlighter>(); },
        [&library] { return std::make_unique<ThemeManager>(library); },
        [&library] { return library.hasLib(); },
    };
}

} // namespace nidora::controls
