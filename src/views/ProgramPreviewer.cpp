#include "views/ProgramPreviewer.h"

#include <utility>

namespace nidora::views {
namespace {

PreviewerMaker& installed()
{
    static PreviewerMaker maker;
    return maker;
}

} // namespace

void setProgramPreviewer(PreviewerMaker maker)
{
    installed() = std::move(maker);
}

std::unique_ptr<ReportPreviewer> programPreviewer()
{
    return installed() ? installed()() : nullptr;
}

} // namespace nidora::views
