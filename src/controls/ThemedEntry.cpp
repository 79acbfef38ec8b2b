#include "controls/ThemedEntry.h"

#include "controls/ThemeLibrary.h"

namespace nidora::controls {

bool ThemedEntry::init(framework::Control& control)
{
    return attach(control, ThemeLibrary::Edit);
}

} // namespace nidora::controls
