#include "framework/WindowArea.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace nidora::framework {

namespace {

QPointer<QMdiArea>& area()
{
    static QPointer<QMdiArea> current;
    return current;
}

} // namespace

void setWindowArea(QMdiArea* workspace)
{
    area() = workspace;
}

QMdiArea* windowArea()
{
    return area();
}

QWidget* showInWindowArea(QWidget* window)
{
    if (QMdiArea* workspace = area()) {
        QMdiSubWindow* frame = workspace->addSubWindow(window);
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        frame->show();
        return frame;
    }
    window->show();
    return window;
}

void bringToFront(QWidget* frame)
{
    if (frame->isMinimized())
        frame->showNormal();
    auto* inWorkspace = qobject_cast<QMdiSubWindow*>(frame);
    if (QMdiArea* workspace = inWorkspace ? inWorkspace->mdiArea() : nullptr) {
        if (workspace->activeSubWindow() != inWorkspace)
            workspace->setActiveSubWindow(inWorkspace);
        return;
    }
    if (!frame->isActiveWindow()) {
        frame->raise();
        frame->activateWindow();
    }
}

} // namespace nidora::framework
