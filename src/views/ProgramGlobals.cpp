#include "views/ProgramGlobals.h"

namespace nidora::views {

ProgramGlobals AppGlobals;

QString blankText(int length)
{
    return QString(length, QLatin1Char(' '));
}

bool ProgramGlobals::hasRight(int right) const
{
    return right >= 1 && right <= kRights && AccessRights[std::size_t(right - 1)] != 0;
}

void ProgramGlobals::grantAllRights()
{
    AccessRights.fill(1);
}

} // namespace nidora::views
