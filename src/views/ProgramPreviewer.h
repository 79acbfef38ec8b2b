#pragma once

#include "views/ReportPass.h"

#include <functional>
#include <memory>

// The previewer the program's reports hand their pages to, for the folders that come before
// the report previewer's own: the program installs the screen's previewer here when it starts,
// tests install one of their own.
//
//   const std::unique_ptr<ReportPreviewer> previewer = programPreviewer();
//   if (previewer) runReport({ ..., .previewer = *previewer });
namespace nidora::views {

using PreviewerMaker = std::function<std::unique_ptr<ReportPreviewer>()>;

// Replaces the installed maker (an empty one uninstalls it).
void setProgramPreviewer(PreviewerMaker maker);

// A new previewer for one report run; null while none is installed.
std::unique_ptr<ReportPreviewer> programPreviewer();

} // namespace nidora::views
