#include "platform/PrinterSetup.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

#include <utility>
#include <vector>

namespace nidora::platform {

namespace {

// The printer lives as long as the application: the desktop's set-up is a static, which would
// outlive the print support its printer was made with.
class PrinterHolder final : public QObject {
public:
    explicit PrinterHolder(QObject* application)
        : QObject(application)
    {
    }

    QPrinter printer;
};

} // namespace

// Shared with the dialog's connections, which may answer after the set-up object is gone.
struct DialogPrinterSetup::State {
    QPointer<PrinterHolder> holder;
    QPointer<QPrintDialog> dialog;
    std::vector<Completion> waiting;

    void answer(bool accepted)
    {
        for (const Completion& done : std::exchange(waiting, {}))
            done(accepted);
    }
};

DialogPrinterSetup::DialogPrinterSetup()
    : state_(std::make_shared<State>())
{
}

DialogPrinterSetup::~DialogPrinterSetup() = default;

QPrinter& DialogPrinterSetup::printer()
{
    if (!state_->holder)
        state_->holder = new PrinterHolder(QCoreApplication::instance());
    return state_->holder->printer;
}

QPrintDialog* DialogPrinterSetup::shownDialog() const
{
    return state_->dialog;
}

void DialogPrinterSetup::setUp(QWidget* parent, Completion done)
{
    setUp(parent, QString(), std::move(done));
}

void DialogPrinterSetup::setUp(QWidget* parent, const QString& title, Completion done)
{
    state_->waiting.push_back(std::move(done));
    if (QPrintDialog* shown = state_->dialog) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    auto* dialog = new QPrintDialog(&printer(), parent);
    if (!title.isEmpty())
        dialog->setWindowTitle(title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    state_->dialog = dialog;
    const auto answer = [state = state_](bool accepted) { state->answer(accepted); };
    // A finished dialog is only waiting to be deleted: a request from then on shows a new one.
    QObject::connect(dialog, &QDialog::finished, dialog, [state = state_, answer](int result) {
        state->dialog = nullptr;
        answer(result == QDialog::Accepted);
    });
    // Gone with its parent before the user answered: the callers still wait for an answer.
    QObject::connect(dialog, &QObject::destroyed, [answer] { answer(false); });
    dialog->setWindowModality(Qt::NonModal);
    dialog->show();
}

} // namespace nidora::platform
