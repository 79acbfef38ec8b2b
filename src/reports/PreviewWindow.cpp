#include "reports/PreviewWindow.h"

#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlChoices.h"
#include "framework/ControlLabels.h"
#include "framework/KeyCodes.h"
#include "framework/MessageBoxes.h"
#include "framework/WindowEvent.h"
#include "platform/FileChooser.h"
#include "reports/PageNumbering.h"
#include "reports/PagePrinting.h"
#include "reports/PageText.h"
#include "reports/PreviewCanvas.h"
#include "reports/PreviewQuestions.h"
#include "reports/PrintOptionsWindow.h"
#include "reports/SaveAllWindow.h"
#include "reports/StatusBarControl.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSaveFile>

namespace nidora::reports {

using framework::DialogRect;
using framework::handled::Consumed;
using framework::handled::EndLoop;
using framework::handled::GoOn;

namespace {

constexpr int kWidth = 345;
constexpr int kHeight = 195;
constexpr int kToolbarHeight = 18;
constexpr int kStatusHeight = 11;
constexpr int kButtonWidth = 17;

std::vector<views::ReportPage> numbered(std::vector<views::ReportPage> pages)
{
    numberPages(pages);
    return pages;
}

QString markMessage(bool marked)
{
    return marked ? QStringLiteral("Unmark Page") : QStringLiteral("Mark Page");
}

} // namespace

PreviewWindow::PreviewWindow(
    std::vector<views::ReportPage> pages, const views::PreviewOptions& options, PrintOptions& printOptions)
    : Window(QStringLiteral("ReportPreview"))
    , state_(numbered(std::move(pages)))
    , printOptions_(printOptions)
    , title_(options.title.left(50))
{
    setCaption(title_.trimmed().isEmpty() ? QStringLiteral("Report Preview") : title_);
    setSize(kWidth, kHeight);
    setResizable(true);
    state_.setZoom(options.zoom);
    zoomName_ = state_.zoom();

    int x = 2;
    const auto next = [&x](int gap = 0) {
        const int at = x + gap;
        x = at + kButtonWidth;
        return at;
    };
    button(Command::Print, kPrint, "vprint.ico", QStringLiteral("Print The Report"), next());
    button(Command::Exit, kExit, "vexit.ico", QStringLiteral("Exit Without Printing Report"), next());
    button(Command::Jump, kJump, "vjump.ico", QStringLiteral("Jump To Page ??"), next(6));
    button(Command::Top, kTop, "vfirst.ico", QStringLiteral("Go To First Page"), next());
    button(Command::Previous, kPrevious, "vprevious.ico", QStringLiteral("Previous Page"), next());
    button(Command::Next, kNext, "vnext.ico", QStringLiteral("Next Page"), next());
    button(Command::Bottom, kBottom, "vlast.ico", QStringLiteral("Go To Last Page"), next());
    button(Command::PrintSingle, kPrintSingle, "vprintpage.ico", QStringLiteral("Print Current Page Only"),
        next(6));
    button(Command::ChangeDisplay, kChangeDisplay, "vthumbnails.ico", QStringLiteral("Display Thumbnails"),
        next());
    button(Command::SaveCurrent, kSaveCurrent, "vsavepage.ico", QStringLiteral("Save Current Page To File"),
        next());
    button(Command::SaveAll, kSaveAll, "vsaveall.ico", QStringLiteral("Save Pages To File"), next());

    std::vector<framework::DropListControl::Choice> zooms;
    for (const ZoomChoice& choice : zoomChoices())
        zooms.emplace_back(choice.name, choice.name);
    x += 6;
    zoom_ = &add<framework::DropListControl>(
        QLatin1String(kZoom), DialogRect { x, 3, 62, 12 }, std::move(zooms), framework::bindTo(zoomName_));
    zoom_->setTip(QStringLiteral("Zoom Control"));
    x += 62;
    button(Command::Delete, kDelete, "borrar.ico", QStringLiteral("Delete Page"), next(6));
    button(Command::Mark, kMark, "vmark.ico", QStringLiteral("Mark Page For Printing"), next());

    canvas_ = &add<PreviewCanvasControl>(QLatin1String(kCanvas),
        DialogRect { 0, kToolbarHeight, kWidth, kHeight - kToolbarHeight - kStatusHeight }, state_);
    anchor(*canvas_, Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge | Qt::BottomEdge);
    status_ = &add<StatusBarControl>(QLatin1String(kStatus),
        DialogRect { 0, kHeight - kStatusHeight, kWidth, kStatusHeight },
        std::vector<int> { 120, 50, 30, 36, 0 });
    anchor(*status_, Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge);
    for (const auto& [control, command] : commands_) {
        auto* made = const_cast<framework::Control*>(control);
        if (command == Command::Mark)
            status_->showMessageOf(*made,
                [this] { return markMessage(state_.pageCount() > 0 && state_.isMarked(state_.current())); });
        else
            status_->showMessageOf(*made, [made] { return made->widget()->toolTip(); });
    }
    status_->showMessageOf(*zoom_, [] { return QStringLiteral("Zoom Control"); });

    addAlertKey(keys::PageUp);
    addAlertKey(keys::PageDown);
}

framework::ButtonControl& PreviewWindow::button(
    Command command, const char* name, const char* icon, const QString& tip, int x)
{
    auto& made = add<framework::ButtonControl>(
        QLatin1String(name), DialogRect { x, 1, kButtonWidth, 16 }, QString(), QLatin1String(icon));
    made.setTip(tip);
    commands_[&made] = command;
    buttons_[command] = &made;
    return made;
}

void PreviewWindow::onOpened()
{
    // Reports open their preview filling the workspace. The dialogs it opens then show over it
    // at their own size, leaving it filling the workspace.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(widget()->parentWidget())) {
        if (QMdiArea* workspace = frame->mdiArea())
            workspace->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
        frame->showMaximized();
    } else {
        widget()->showMaximized();
    }
    show();
    select(*canvas_);
}

void PreviewWindow::show()
{
    PreviewCanvasWidget& view = canvas_->canvas();
    view.refresh();
    const int count = state_.pageCount();
    const bool zoomed = !state_.showsThumbnails();
    const bool marked = count > 0 && state_.isMarked(state_.current());
    status_->setText(2, state_.zoom());
    status_->setText(4, zoomed && marked ? QStringLiteral("Marked") : QString());
    status_->setText(5, QStringLiteral("Page %1 of %2").arg(state_.current()).arg(count));

    buttons_[Command::Top]->setEnabled(state_.canGoFirst());
    buttons_[Command::Previous]->setEnabled(state_.canGoPrevious());
    buttons_[Command::Next]->setEnabled(state_.canGoNext());
    buttons_[Command::Bottom]->setEnabled(state_.canGoLast());
    const bool single = state_.singlePageCommands();
    buttons_[Command::Mark]->setEnabled(single);
    buttons_[Command::Delete]->setEnabled(state_.canDelete());
    buttons_[Command::PrintSingle]->setEnabled(single);
    buttons_[Command::SaveCurrent]->setEnabled(single);

    auto* mark = static_cast<QPushButton*>(buttons_[Command::Mark]->widget());
    mark->setIcon(QIcon(
        framework::findPictureFile(marked ? QStringLiteral("vmarked.ico") : QStringLiteral("vmark.ico"))));
    zoomName_ = state_.zoom();
    zoom_->display();
}

void PreviewWindow::setZoom(const QString& name)
{
    state_.setZoom(name);
    show();
}

int PreviewWindow::onWindowEvent(const framework::ThreadEvent& event)
{
    if (event.code == framework::event::CloseWindow) {
        setResponse(Cancelled);
        return EndLoop;
    }
    if (event.code == framework::event::Sized)
        show();
    return Window::onWindowEvent(event);
}

int PreviewWindow::onFieldEvent(framework::Control& control, const framework::ThreadEvent& event)
{
    if (&control == canvas_ && event.code == canvas::ThumbnailClicked) {
        state_.jump(event.value.toInt());
        setZoom(kPageWidth);
        return Consumed;
    }
    if (&control == canvas_ && event.code == canvas::PageClicked) {
        setZoom(kNoZoom);
        return Consumed;
    }
    if (event.code == framework::event::AlertKey
        && (event.value.toInt() == keys::PageUp || event.value.toInt() == keys::PageDown)) {
        if (event.value.toInt() == keys::PageUp)
            state_.previous();
        else
            state_.next();
        show();
        return Consumed;
    }
    return Window::onFieldEvent(control, event);
}

int PreviewWindow::onAccepted(framework::Control& control)
{
    if (&control == zoom_) {
        setZoom(zoomName_);
        return GoOn;
    }
    const auto found = commands_.find(&control);
    if (found == commands_.end())
        return GoOn;
    switch (found->second) {
    case Command::Print:
        return print();
    case Command::Exit:
        setResponse(Cancelled);
        return EndLoop;
    case Command::Jump:
        if (const auto page = askPageToJumpTo(state_.current(), state_.pageCount()))
            state_.jump(*page);
        break;
    case Command::Top:
        state_.first();
        break;
    case Command::Previous:
        state_.previous();
        break;
    case Command::Next:
        state_.next();
        break;
    case Command::Bottom:
        state_.last();
        break;
    case Command::PrintSingle:
        if (state_.singlePageCommands())
            sendToPrinter({ state_.current() });
        break;
    case Command::ChangeDisplay:
        if (const auto grid = askThumbnailGrid(state_.across(), state_.down())) {
            state_.setGrid(grid->first, grid->second);
            state_.setZoom(kNoZoom);
        }
        break;
    case Command::SaveCurrent:
        if (state_.singlePageCommands())
            saveCurrent();
        break;
    case Command::SaveAll:
        saveAll();
        break;
    case Command::Delete:
        if (state_.deleteCurrent())
            canvas_->canvas().forgetPictures();
        break;
    case Command::Mark:
        if (state_.singlePageCommands())
            state_.toggleMark();
        break;
    }
    show();
    return GoOn;
}

int PreviewWindow::print()
{
    PrintOptionsWindow optionsWindow(state_.pageCount(), state_.markedCount() > 0, printOptions_);
    const auto options = optionsWindow.ask();
    if (!options) {
        setResponse(Cancelled);
        return EndLoop;
    }
    printOptions_ = *options;
    if (!sendToPrinter(reports::printOrder(state_.marks(), *options))) {
        show();
        return GoOn;
    }
    setResponse(Completed);
    return EndLoop;
}

bool PreviewWindow::sendToPrinter(const std::vector<int>& order)
{
    if (order.empty()) {
        framework::showMessage(QStringLiteral("Ninguna página responde a lo elegido: no se imprimió nada."));
        return false;
    }
    return printOnProgramPrinter(widget(), state_.pages(), order, title_);
}

void PreviewWindow::saveCurrent()
{
    const auto chosen = framework::awaitAnswer<QString>([this](std::function<void(QString)> done) {
        platform::SaveFileChooserService::current().choose(widget(),
            QStringLiteral("Save Current Page to File..."),
            { { QStringLiteral("Text File"), { QStringLiteral("*.TXT") } },
                { QStringLiteral("Windows MetaFile"), { QStringLiteral("*.WMF") } },
                { QStringLiteral("All Files"), { QStringLiteral("*.*") } } },
            lastFile_, std::move(done));
    });
    if (!chosen || chosen->trimmed().isEmpty())
        return;
    lastFile_ = chosen->trimmed();
    const QByteArray metafile = state_.page(state_.current()).metafile();
    if (lastFile_.contains(QStringLiteral(".WMF"), Qt::CaseInsensitive))
        writeFile(lastFile_, [&](QIODevice& file) { return file.write(metafile) == metafile.size(); });
    else
        writeFile(lastFile_, [&](QIODevice& file) { return appendPageText(file, metafile); });
}

void PreviewWindow::saveAll()
{
    SaveAllWindow window(state_.pageCount(), state_.markedCount() > 0, lastSaveAll_);
    const auto choice = window.ask();
    if (!choice)
        return;
    lastSaveAll_ = choice->file;
    const std::vector<int> chosen = choosePages(state_.marks(), choice->pages);
    if (chosen.empty()) {
        framework::showMessage(QStringLiteral("Ninguna página responde a lo elegido: no se guardó nada."));
        return;
    }
    writeFile(choice->file, [&](QIODevice& file) {
        for (const int page : chosen)
            if (!appendPageText(file, state_.page(page).records()))
                return false;
        return true;
    });
}

bool PreviewWindow::writeFile(const QString& name, const std::function<bool(QIODevice&)>& write)
{
    // Written whole or not at all: a failed save leaves the file as it was.
    QSaveFile file(name);
    const bool written = file.open(QIODevice::WriteOnly) && write(file) && file.commit();
    if (!written)
        framework::showMessage(QStringLiteral("No se pudo escribir el archivo %1.").arg(name));
    return written;
}

} // namespace nidora::reports
