#include "shell/MainFrame.h"

#include "shell/FrameEmailLink.h"
#include "shell/FrameIcons.h"

#include "framework/FontSubstitution.h"
#include "framework/WindowArea.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>

namespace nidora::shell {

namespace {

// The frame's font is named without a size: it takes the size of the program's other windows
// in that face, and so does the e-mail address.
constexpr int kFramePointSize = 8;

const char* slotFor(FrameAction action)
{
    switch (action) {
    case FrameAction::Cut:
        return "cut";
    case FrameAction::Copy:
        return "copy";
    case FrameAction::Paste:
        return "paste";
    default:
        return nullptr;
    }
}

// The editor inside the focused widget: an editable combo box edits through its line.
QWidget* focusedEditor()
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus)
        || qobject_cast<QPlainTextEdit*>(focus))
        return focus;
    return nullptr;
}

} // namespace

MainFrame::MainFrame(QWidget* parent)
    : QMainWindow(parent)
    , workspace_(new QMdiArea(this))
    , toolbar_(new QToolBar(this))
{
    setWindowTitle(QStringLiteral("Nidora 1.76"));
    setWindowIcon(frameIcon(QStringLiteral("nidora.ico")));
    setFont(framework::describedFont(QStringLiteral("MS Sans Serif"), kFramePointSize));
    setCentralWidget(workspace_);
    statusBar();
    buildMenus();
    buildToolbar();
    resize(1024, 720);
    // The frame opens in the middle of the screen, as its windows open in the middle of it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft()
            + framework::openingGeometry(screen->availableSize(), size(), std::nullopt).topLeft());
}

MainFrame::~MainFrame() = default;

QAction* MainFrame::command(int control) const
{
    const auto it = commands_.find(control);
    return it == commands_.end() ? nullptr : it->second;
}

QAction* MainFrame::addCommand(const FrameCommand& entry)
{
    // The e-mail link is no button of the toolbar's own but a region of ours (buildToolbar).
    QAction* action = entry.action == FrameAction::Email ? new QWidgetAction(this) : new QAction(this);
    action->setIcon(frameIcon(QString::fromUtf8(entry.icon)));
    action->setText(tableText(entry.text));
    action->setToolTip(tableText(entry.tooltip));
    action->setStatusTip(tableText(entry.statusTip));
    const int control = entry.control;
    connect(action, &QAction::triggered, this, [this, control] { emit commandChosen(control); });
    commands_.emplace(control, action);
    return action;
}

void MainFrame::buildMenus()
{
    for (const FrameMenu& entry : frameMenus()) {
        QMenu* menu = menuBar()->addMenu(tableText(entry.title));
        menu->menuAction()->setStatusTip(tableText(entry.statusTip));
        // The menu's own message stays only while the menu is open.
        connect(menu, &QMenu::aboutToHide, statusBar(), &QStatusBar::clearMessage);
        for (const FrameCommand& item : entry.items)
            menu->addAction(addCommand(item));
        if (entry.listsWindows) {
            const int fixedItems = int(menu->actions().size());
            connect(menu, &QMenu::aboutToShow, this,
                [this, menu, fixedItems] { listOpenWindows(menu, fixedItems); });
        }
    }
}

void MainFrame::buildToolbar()
{
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    for (const FrameCommand& entry : frameToolbar()) {
        QAction* action = addCommand(entry);
        if (auto* link = qobject_cast<QWidgetAction*>(action)) {
            auto* region = new FrameEmailLink(action->text(), kFramePointSize);
            connect(region, &FrameEmailLink::clicked, action, &QAction::trigger);
            link->setDefaultWidget(region);
        }
        toolbar_->addAction(action);
        auto* button = qobject_cast<QToolButton*>(toolbar_->widgetForAction(action));
        if (button && *entry.text != '\0')
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
}

void MainFrame::listOpenWindows(QMenu* menu, int fixedItems)
{
    const QList<QAction*> items = menu->actions();
    for (qsizetype i = fixedItems; i < items.size(); ++i) {
        menu->removeAction(items[i]);
        items[i]->deleteLater();
    }
    // A window without a caption (the splash, the About window) has no name to list.
    QList<QMdiSubWindow*> windows = workspace_->subWindowList();
    windows.removeIf([](const QMdiSubWindow* window) { return window->windowTitle().isEmpty(); });
    if (windows.isEmpty())
        return;
    menu->addSeparator();
    for (QMdiSubWindow* window : windows) {
        QAction* item = menu->addAction(window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window == workspace_->activeSubWindow());
        connect(item, &QAction::triggered, workspace_,
            [this, window] { workspace_->setActiveSubWindow(window); });
    }
}

void MainFrame::editFocused(FrameAction action)
{
    const char* slot = slotFor(action);
    if (QWidget* editor = focusedEditor(); editor && slot)
        QMetaObject::invokeMethod(editor, slot);
}

void MainFrame::arrangeWindows(FrameAction action)
{
    switch (action) {
    case FrameAction::Tile:
        workspace_->tileSubWindows();
        break;
    case FrameAction::Cascade:
        workspace_->cascadeSubWindows();
        break;
    case FrameAction::ArrangeIcons:
        arrangeMinimisedWindows();
        break;
    default:
        break;
    }
}

void MainFrame::arrangeMinimisedWindows()
{
    const QSize area = workspace_->viewport()->size();
    int x = 0;
    int bottom = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* window : workspace_->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            bottom -= rowHeight;
            rowHeight = 0;
        }
        window->move(x, bottom - size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void MainFrame::takeCommands(bool take)
{
    menuBar()->setEnabled(take);
    toolbar_->setEnabled(take);
    if (!take) {
        for (const auto& [control, action] : commands_)
            action->setEnabled(false);
    }
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (!closeAllowed_) {
        event->ignore();
        emit closeRequested();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace nidora::shell
