#include "shell/FrameRules.h"

#include "shell/MainFrame.h"

#include <QAction>

namespace nidora::shell {

bool commandAvailable(const FrameCommand& command, const views::ProgramGlobals& globals,
    const views::ProcedureTable& procedures)
{
    if (command.action != FrameAction::StartProcedure)
        return true;
    if (command.right != 0 && !globals.hasRight(command.right))
        return false;
    return procedures.count(QString::fromUtf8(command.procedure)) > 0;
}

void applyRights(
    MainFrame& frame, const views::ProgramGlobals& globals, const views::ProcedureTable& procedures)
{
    const auto apply = [&](const FrameCommand& command) {
        if (QAction* action = frame.command(command.control))
            action->setEnabled(commandAvailable(command, globals, procedures));
    };
    for (const FrameMenu& menu : frameMenus()) {
        for (const FrameCommand& item : menu.items)
            apply(item);
    }
    for (const FrameCommand& button : frameToolbar())
        apply(button);
}

} // namespace nidora::shell
