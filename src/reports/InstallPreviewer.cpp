#include "reports/InstallPreviewer.h"

#include "reports/ScreenPreviewer.h"
#include "views/ProgramPreviewer.h"

namespace nidora::reports {

void installScreenPreviewer()
{
    views::setProgramPreviewer(screenPreviewer);
}

} // namespace nidora::reports
