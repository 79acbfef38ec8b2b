#pragma once

#include <QString>

#include <functional>

namespace nidora::platform {

// Shows a failure text to the user; message boxes belong to the calling window.
using ShowMessage = std::function<void(const QString& text)>;

// Opens a target with its associated program through ShellLauncherService. A target is an
// address ("mailto:...", "http://...") or a file name, absolute or relative to the working
// directory. It is clipped of trailing spaces and cut to its first 255 characters, the most
// a target holds. A file that does not exist is not handed on.

// Reports nothing, whatever happens.
void ShellOpen(const QString& target);

// Shows a failure as its text, a line break and the target clipped of trailing spaces:
// "File not found" (the file is missing), "Path not found" (so is its folder), "No program
// associated with this file" (nothing took it).
void ShellOpenWithMessage(const QString& target, const ShowMessage& showMessage);

} // namespace nidora::platform
