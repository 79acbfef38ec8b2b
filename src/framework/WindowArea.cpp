#include "framework/WindowArea.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace nidora::framework {

namespace {

QPointer<QMdiArea>& area()
{
    static QPointer<QMdiArea> current;
    return current;
}

void constrain(QWidget* window, const WindowOpening& opening)
{
    if (opening.resizable)
        window->setMinimumSize(opening.size);
    else
        window->setFixedSize(opening.size);
    window->resize(opening.size);
}

// The sub-window's title bar and borders, around the window inside it. A sub-window only
// knows them once it is polished; before that its margins are empty.
QSize framed(QMdiSubWindow* frame, QSize inner)
{
    const QMargins margins = frame->contentsMargins();
    return inner + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
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

QRect openingGeometry(QSize areaSize, QSize frameSize, const std::optional<QPoint>& at)
{
    const QPoint corner = at
        ? *at
        : QPoint((areaSize.width() - frameSize.width()) / 2, (areaSize.height() - frameSize.height()) / 2);
    return QRect(QPoint(qMax(0, corner.x()), qMax(0, corner.y())), frameSize);
}

QMdiSubWindow* showInWorkspace(QMdiArea& workspace, QWidget* window, const WindowOpening& opening)
{
    constrain(window, opening);
    Qt::WindowFlags flags = opening.frameless ? Qt::FramelessWindowHint : Qt::WindowFlags {};
    if (!opening.frameless && !opening.resizable)
        flags = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint;
    QMdiSubWindow* frame = workspace.addSubWindow(window, flags);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame->ensurePolished();
    // The workspace sizes a sub-window it is given unsized from its contents' size hint, which
    // a window of placed controls does not have: the frame is sized and placed here, before it
    // shows and again once shown, when its title bar has its real height.
    const auto place = [&] {
        const QSize outer = framed(frame, opening.size);
        frame->setGeometry(openingGeometry(workspace.viewport()->size(), outer, opening.at));
    };
    place();
    frame->show();
    place();
    // The workspace maximises the window it activates after a maximised one; a window of fixed
    // size keeps its own size and place instead, its controls where they were laid out.
    if (!opening.resizable && !opening.frameless)
        QObject::connect(frame, &QMdiSubWindow::windowStateChanged, frame,
            [frame](Qt::WindowStates, Qt::WindowStates now) {
                if (now & Qt::WindowMaximized)
                    QTimer::singleShot(0, frame, [frame] {
                        if (frame->isMaximized())
                            frame->showNormal();
                    });
            });
    return frame;
}

QWidget* showInWindowArea(QWidget* window, const WindowOpening& opening)
{
    if (QMdiArea* workspace = area())
        return showInWorkspace(*workspace, window, opening);
    constrain(window, opening);
    if (opening.frameless)
        window->setWindowFlag(Qt::FramelessWindowHint);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(openingGeometry(screen->availableSize(), window->size(), opening.at).topLeft());
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
