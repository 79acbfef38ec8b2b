#include "reports/SaveAllWindow.h"

#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/MessageBoxes.h"
#include "platform/FileChooser.h"

namespace nidora::reports {

using framework::DialogRect;
using framework::handled::EndLoop;
using framework::handled::GoOn;

SaveAllWindow::SaveAllWindow(int pageCount, bool anyMarked, const QString& file)
    : Window(QStringLiteral("ReportPreview:SaveAll"))
    , choice_ { {}, file.isEmpty() ? QStringLiteral("Save.txt") : file }
{
    setCaption(QStringLiteral("Save All Pages to File..."));
    setSize(250, 112);
    setCentred();
    range_.emplace(*this, 6, 4, QStringLiteral("Save Ranges"),
        PageRangeTips { QStringLiteral("Save All Pages") }, choice_.pages, pageCount, anyMarked);
    add<framework::PromptControl>(
        QStringLiteral("?FilePrompt"), DialogRect { 6, 74, 20, 10 }, QStringLiteral("File:"));
    file_ = &add<framework::EntryControl>(QStringLiteral("?TEMPFILENAME"), DialogRect { 28, 72, 196, 12 },
        QStringLiteral("@s255"), framework::entryValue(choice_.file));
    browse_ = &add<framework::ButtonControl>(
        QStringLiteral("?LookupFile"), DialogRect { 228, 71, 16, 14 }, QStringLiteral("..."));
    ok_ = &add<framework::ButtonControl>(
        QStringLiteral("?OkButton"), DialogRect { 140, 92, 50, 14 }, QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = &add<framework::ButtonControl>(
        QStringLiteral("?CancelButton"), DialogRect { 194, 92, 50, 14 }, QStringLiteral("Cancel"));
}

std::optional<SaveChoice> SaveAllWindow::ask()
{
    if (run() != Completed)
        return std::nullopt;
    return choice_;
}

int SaveAllWindow::onAccepted(framework::Control& control)
{
    if (&control == browse_) {
        file_->commit();
        const auto chosen = framework::awaitAnswer<QString>([this](std::function<void(QString)> done) {
            platform::SaveFileChooserService::current().choose(widget(),
                QStringLiteral("Save All Pages to File..."),
                { { QStringLiteral("Text File"), { QStringLiteral("*.TXT") } },
                    { QStringLiteral("All Files"), { QStringLiteral("*.*") } } },
                choice_.file.trimmed(), std::move(done));
        });
        if (chosen && !chosen->isEmpty()) {
            choice_.file = *chosen;
            file_->display();
        }
        return GoOn;
    }
    if (&control == cancel_) {
        setResponse(Cancelled);
        return EndLoop;
    }
    if (&control == ok_) {
        range_->commit();
        file_->commit();
        choice_.file = choice_.file.trimmed();
        if (choice_.file.isEmpty()) {
            framework::showMessage(
                QStringLiteral("Escriba el nombre del archivo en el que se guardan las páginas."));
            select(*file_);
            return GoOn;
        }
        setResponse(Completed);
        return EndLoop;
    }
    range_->update();
    return GoOn;
}

} // namespace nidora::reports
