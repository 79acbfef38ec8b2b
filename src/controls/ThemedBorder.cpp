#include "controls/ThemedBorder.h"

#include "controls/ThemeLibrary.h"
#include "framework/Control.h"

#include <QFrame>

namespace nidora::controls {

bool ThemedBorder::init(framework::Control& control)
{
    isText_ = control.kind() == framework::ControlKind::Text;
    return attach(control, ThemeLibrary::Edit);
}

// The toolkit keeps a list's heading and scroll bars inside its frame, so the content rectangle
// grown by one pixel frames them all, whether a bar shows or not.
QRect ThemedBorder::frameOf() const
{
    if (const auto* frame = qobject_cast<const QFrame*>(widget()))
        return frame->contentsRect().adjusted(-1, -1, 1, 1);
    return ThemedControl::frameOf();
}

} // namespace nidora::controls
