#pragma once

#include "platform/PlatformService.h"

#include <QString>

#include <functional>

class QWidget;

namespace nidora::platform {

// Lets the user pick a folder, as backup and restore do for their copies.
class FolderChooser {
public:
    // Receives the chosen folder, or the empty text when the user gave none.
    using Completion = std::function<void(const QString& folder)>;

    virtual ~FolderChooser() = default;

    // Shows the chooser over parent, starting at startFolder, and returns at once without a
    // nested event loop; done runs exactly once, later, when the user has answered.
    virtual void choose(QWidget* parent, const QString& title, const QString& startFolder, Completion done)
        = 0;
};

// The toolkit's folder dialog, shown without modality. Not open(): that makes it modal to its
// top-level window, which is the frame every window of every logical thread lives in, so it
// would stop all of them. Keeping the caller's own windows from input while it waits is the
// caller's wait, as for its other dialogs.
class DialogFolderChooser final : public FolderChooser {
public:
    void choose(QWidget* parent, const QString& title, const QString& startFolder, Completion done) override;
};

using FolderChooserService = PlatformService<FolderChooser, DialogFolderChooser>;

} // namespace nidora::platform
