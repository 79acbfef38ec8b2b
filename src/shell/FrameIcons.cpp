#include "shell/FrameIcons.h"

#include "controls/ProgramIcon.h"

// The frame's icons are compiled into a static library, whose resources are linked in only when
// asked for by name. They are registered before main runs, so they are there before the program's
// icon lookup first reads the list of icons it has.
[[maybe_unused]] static const bool frameResourcesRegistered = [] {
    Q_INIT_RESOURCE(frame);
    return true;
}();

namespace nidora::shell {

QIcon frameIcon(const QString& name)
{
    return controls::programIcon(name);
}

} // namespace nidora::shell
