#include "controls/ProgramIcon.h"

#include "framework/ControlLabels.h"

namespace nidora::controls {

QIcon programIcon(const QString& name)
{
    const QString found = framework::findPictureFile(name);
    return found.isEmpty() ? QIcon() : QIcon(found);
}

} // namespace nidora::controls
