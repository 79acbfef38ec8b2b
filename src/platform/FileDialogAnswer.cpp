#include "platform/FileDialogAnswer.h"

#include <QFileDialog>

#include <memory>
#include <utility>

namespace nidora::platform {

void showFileDialog(QFileDialog* dialog, std::function<void(const QString& file)> done)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto pending = std::make_shared<std::function<void(const QString&)>>(std::move(done));
    auto finish = [pending](const QString& file) {
        if (auto call = std::exchange(*pending, nullptr))
            call(file);
    };
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, finish](int result) {
        finish(result == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString());
    });
    QObject::connect(dialog, &QObject::destroyed, [finish] { finish(QString()); });
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
}

} // namespace nidora::platform
