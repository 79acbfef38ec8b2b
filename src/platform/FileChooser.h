#pragma once

#include "platform/PlatformService.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

namespace nidora::platform {

// One filter of a file dialog: its name and the patterns it matches ("*.jpg").
struct FileFilter {
    QString name;
    QStringList patterns;
};

// Lets the user pick an existing file, as the patient form does for a photo.
class FileChooser {
public:
    // Receives the chosen file's full name, or the empty text when the user gave none.
    using Completion = std::function<void(const QString& file)>;

    virtual ~FileChooser() = default;

    // Shows the chooser over parent and returns at once without a nested event loop; done runs
    // exactly once, later, when the user has answered. The working directory is the same
    // afterwards as before, whatever folder the user went through.
    virtual void choose(QWidget* parent, const QString& title, const FileFilter& filter, Completion done) = 0;
};

// The toolkit's file dialog, shown without modality for the reason DialogFolderChooser gives.
class DialogFileChooser final : public FileChooser {
public:
    void choose(QWidget* parent, const QString& title, const FileFilter& filter, Completion done) override;
};

using FileChooserService = PlatformService<FileChooser, DialogFileChooser>;

// Lets the user name a file to write, new or existing, as the report preview does to save pages.
class SaveFileChooser {
public:
    // Receives the chosen file's full name, or the empty text when the user gave none.
    using Completion = std::function<void(const QString& file)>;

    virtual ~SaveFileChooser() = default;

    // As FileChooser::choose, offering the filters in order (the first chosen at first) and
    // proposing name (a name alone is taken in the working directory).
    virtual void choose(QWidget* parent, const QString& title, const std::vector<FileFilter>& filters,
        const QString& name, Completion done)
        = 0;
};

class DialogSaveFileChooser final : public SaveFileChooser {
public:
    void choose(QWidget* parent, const QString& title, const std::vector<FileFilter>& filters,
        const QString& name, Completion done) override;
};

using SaveFileChooserService = PlatformService<SaveFileChooser, DialogSaveFileChooser>;

} // namespace nidora::platform
