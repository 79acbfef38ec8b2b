#include "platform/FolderChooser.h"

#include "platform/FileDialogAnswer.h"

#include <QFileDialog>

namespace nidora::platform {

void DialogFolderChooser::choose(
    QWidget* parent, const QString& title, const QString& startFolder, Completion done)
{
    auto* dialog = new QFileDialog(parent, title, startFolder);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    showFileDialog(dialog, std::move(done));
}

} // namespace nidora::platform
