#pragma once

#include "shell/FrameCommands.h"

#include <QMainWindow>

#include <map>

class QMdiArea;
class QMenu;
class QToolBar;

namespace nidora::shell {

// The multi-window application frame every window of the program opens in: its menu bar and
// toolbar built from the frame's command table, and the actions the frame does itself (the
// clipboard on the focused editor, arranging the open windows). Choosing a command only reports
// it; the frame's procedure decides what follows.
class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(QWidget* parent = nullptr);
    ~MainFrame() override;

    QMdiArea* workspace() const { return workspace_; }
    QToolBar* toolbar() const { return toolbar_; }
    // The menu item or toolbar button of a control number, or null.
    QAction* command(int control) const;

    // Cut, Copy or Paste on the editor that has the focus; anything else is left alone.
    static void editFocused(FrameAction action);
    void arrangeWindows(FrameAction action);

    // While the login runs the frame takes no command: its menu bar, toolbar and every command
    // (shortcuts included) are disabled, as a caller's window is while its form runs. Taking
    // commands again enables the bars only; each command is then enabled by the user's rights.
    void takeCommands(bool take);

    // Closing the frame (its close box, "Salir") first asks its procedure, which closes the
    // other windows and may keep the program open; once allowed, the next close closes it.
    void allowClose() { closeAllowed_ = true; }

signals:
    void commandChosen(int control);
    // The frame was asked to close while its procedure had not yet allowed it.
    void closeRequested();
    // The frame's window has been closed, by any means.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(const FrameCommand& entry);
    void buildMenus();
    void buildToolbar();
    void listOpenWindows(QMenu* menu, int fixedItems);
    // Lines the minimised windows up along the bottom of the workspace, row above row.
    void arrangeMinimisedWindows();

    QMdiArea* workspace_;
    QToolBar* toolbar_;
    std::map<int, QAction*> commands_;
    bool closeAllowed_ = false;
};

} // namespace nidora::shell
