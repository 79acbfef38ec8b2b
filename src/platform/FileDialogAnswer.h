#pragma once

#include <QString>

#include <functional>

class QFileDialog;

namespace nidora::platform {

// Shows a file dialog without modality and hands done its answer exactly once: the first file
// selected, or the empty text when the user cancelled or the dialog went away with its parent
// first (the caller waits for an answer, so it gets one either way). The dialog deletes itself
// when closed.
void showFileDialog(QFileDialog* dialog, std::function<void(const QString& file)> done);

} // namespace nidora::platform
