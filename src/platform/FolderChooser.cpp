#include "platform/FolderChooser.h"

#include <QFileDialog>

#include <memory>
#include <utility>

namespace nidora::platform {

void DialogFolderChooser::choose(
    QWidget* parent, const QString& title, const QString& startFolder, Completion done)
{
    auto* dialog = new QFileDialog(parent, title, startFolder);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);

    // The caller waits for its answer, so it gets one even when the dialog goes away with
    // its parent before the user has chosen: then as a cancel.
    auto pending = std::make_shared<Completion>(std::move(done));
    auto finish = [pending](const QString& folder) {
        if (Completion call = std::exchange(*pending, nullptr))
            call(folder);
    };
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, finish](int result) {
        finish(result == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString());
    });
    QObject::connect(dialog, &QObject::destroyed, [finish] { finish(QString()); });
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
}

} // namespace nidora::platform
