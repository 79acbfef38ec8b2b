#include "platform/FileChooser.h"

#include "platform/FileDialogAnswer.h"

#include <QDir>
#include <QFileDialog>

namespace nidora::platform {

namespace {

QString filterText(const FileFilter& filter)
{
    return QStringLiteral("%1 (%2)").arg(filter.name, filter.patterns.join(QLatin1Char(' ')));
}

// The data files are found in the working directory, so a dialog that moved it (as some
// desktops' dialogs do) must not leave it moved.
void showKeepingDirectory(
    QFileDialog* dialog, const QString& workingDirectory, std::function<void(const QString&)> done)
{
    showFileDialog(dialog, [workingDirectory, done = std::move(done)](const QString& file) {
        QDir::setCurrent(workingDirectory);
        done(file);
    });
}

} // namespace

void DialogFileChooser::choose(
    QWidget* parent, const QString& title, const FileFilter& filter, Completion done)
{
    const QString workingDirectory = QDir::currentPath();
    auto* dialog = new QFileDialog(parent, title, workingDirectory);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(filterText(filter));
    showKeepingDirectory(dialog, workingDirectory, std::move(done));
}

void DialogSaveFileChooser::choose(QWidget* parent, const QString& title,
    const std::vector<FileFilter>& filters, const QString& name, Completion done)
{
    const QString workingDirectory = QDir::currentPath();
    auto* dialog = new QFileDialog(parent, title, workingDirectory);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    QStringList names;
    for (const FileFilter& filter : filters)
        names.append(filterText(filter));
    dialog->setNameFilters(names);
    if (!name.isEmpty())
        dialog->selectFile(QDir(workingDirectory).absoluteFilePath(name));
    showKeepingDirectory(dialog, workingDirectory, std::move(done));
}

} // namespace nidora::platform
