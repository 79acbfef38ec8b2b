#include "platform/FileChooser.h"

#include "platform/FileDialogAnswer.h"

#include <QDir>
#include <QFileDialog>

namespace nidora::platform {

void DialogFileChooser::choose(QWidget* parent, const QString& title, const FileFilter& filter, Completion done)
{
    const QString workingDirectory = QDir::currentPath();
    auto* dialog = new QFileDialog(parent, title, workingDirectory);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(QStringLiteral("%1 (%2)").arg(filter.name, filter.patterns.join(QLatin1Char(' '))));
    // The data files are found in the working directory, so a dialog that moved it (as some
    // desktops' dialogs do) must not leave it moved.
    showFileDialog(dialog, [workingDirectory, done = std::move(done)](const QString& file) {
        QDir::setCurrent(workingDirectory);
        done(file);
    });
}

} // namespace nidora::platform
