#include "shell/ProductWindows.h"

#include "shell/FrameCommands.h"
#include "shell/MainFrame.h"

#include "framework/Await.h"
#include "framework/ControlLabels.h"
#include "framework/DialogUnits.h"
#include "framework/FontSubstitution.h"
#include "framework/WindowArea.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTimer>

namespace nidora::shell {
namespace {

constexpr int kSplashLifetimeMs = 20'000;
// The font the splash and About windows name, at the size every window of the program uses.
constexpr const char* kWindowFont = "MS Sans Serif";
constexpr int kWindowFontSize = 8;

QMdiArea* frameWorkspace()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* frame = qobject_cast<MainFrame*>(widget))
            return frame->workspace();
    return nullptr;
}

// The two windows are described as every other window is, in dialog units of their font; they
// have no title bar and open centred in the workspace.
struct ProductWindow {
    QWidget* content;
    framework::DialogUnits units;

    explicit ProductWindow(const char* name)
        : content(new QWidget)
        , units(framework::describedFont(QString::fromUtf8(kWindowFont), kWindowFontSize))
    {
        content->setObjectName(QString::fromUtf8(name));
        content->setFont(framework::describedFont(QString::fromUtf8(kWindowFont), kWindowFontSize));
    }

    template <class W> W* place(W* child, const framework::DialogRect& at) const
    {
        child->setParent(content);
        child->setGeometry(units.toPixels(at));
        return child;
    }

    QLabel* text(
        const QString& shown, const framework::DialogRect& at, const QString& family, int pointSize) const
    {
        auto* label = place(new QLabel(shown), at);
        label->setFont(framework::describedFont(family, pointSize, true));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }

    QLabel* picture(const QString& name, const framework::DialogRect& at) const
    {
        auto* label = place(new QLabel, at);
        label->setObjectName(name);
        label->setPixmap(QIcon(framework::findPictureFile(name)).pixmap(label->size()));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }

    QMdiSubWindow* show(int width, int height) const
    {
        QMdiArea* workspace = frameWorkspace();
        if (workspace == nullptr) {
            delete content;
            return nullptr;
        }
        QMdiSubWindow* window = framework::showInWorkspace(*workspace, content,
            framework::WindowOpening { units.toPixels(QSize(width, height)), {}, false, true });
        window->setAttribute(Qt::WA_DeleteOnClose);
        workspace->setActiveSubWindow(window);
        return window;
    }
};

// Closes the splash on any of its mouse clicks.
class ClickCloser : public QObject {
public:
    explicit ClickCloser(QMdiSubWindow* window)
        : QObject(window)
        , window_(window)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto button = static_cast<QMouseEvent*>(event)->button();
            if (button == Qt::LeftButton || button == Qt::RightButton) {
                QTimer::singleShot(0, window_, &QWidget::close);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMdiSubWindow* window_;
};

void watchClicks(QWidget* widget, QObject* filter)
{
    widget->installEventFilter(filter);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

void waitOn(QMdiSubWindow* window)
{
    if (window != nullptr)
        framework::waitForClose(window);
}

} // namespace

QString aboutText()
{
    return QStringLiteral("Nidora 1.76\n"
                          "Historias clínicas para la consulta de pediatría\n"
                          "Copyright Nidora\n\n"
                          "Consultas y avisos: %1\n\n"
                          "Gracias por usar Nidora.")
        .arg(QString::fromUtf8(kContactAddress));
}

QCursor fingerCursor()
{
    // The finger's tip is the cursor's hot spot.
    return QCursor(QIcon(framework::findPictureFile(QStringLiteral("Finger.cur"))).pixmap(32, 32), 11, 1);
}

QMdiSubWindow* openSplashWindow()
{
    const ProductWindow splash("PantallaFondo");
    QPalette palette = splash.content->palette();
    palette.setBrush(
        QPalette::Window, QBrush(QPixmap(framework::findPictureFile(QStringLiteral("fondo.bmp")))));
    splash.content->setPalette(palette);
    splash.content->setAutoFillBackground(true);
    splash.place(new QFrame, { 8, 6, 184, 28 })->setFrameShape(QFrame::Box);
    splash.text(QStringLiteral("NIDORA 1.76"), { 10, 8, 180, 24 }, QStringLiteral("Courier New"), 20);
    splash.text(QString::fromUtf8(kContactAddress), { 8, 38, 184, 10 }, QStringLiteral("Courier New"), 10);
    splash.picture(QStringLiteral("nidora.bmp"), { 60, 52, 80, 60 });

    QMdiSubWindow* window = splash.show(200, 118);
    if (window == nullptr)
        return nullptr;
    watchClicks(window, new ClickCloser(window));
    QTimer::singleShot(kSplashLifetimeMs, window, &QWidget::close);
    QObject::connect(window, &QMdiSubWindow::windowStateChanged, window,
        [window](Qt::WindowStates before, Qt::WindowStates now) {
            if ((before & Qt::WindowActive) && !(now & Qt::WindowActive))
                QTimer::singleShot(0, window, &QWidget::close);
        });
    return window;
}

QMdiSubWindow* openAboutWindow()
{
    const ProductWindow about("HelpAbout");
    about.text(QStringLiteral("Nidora 1.76"), { 8, 4, 184, 16 }, QStringLiteral("Arial"), 18);
    about.place(new QFrame, { 8, 22, 184, 2 })->setFrameShape(QFrame::HLine);
    about.text(QStringLiteral("Hecho para la consulta por el equipo de Nidora"), { 8, 26, 184, 10 },
        QStringLiteral("Arial"), 9);
    about.picture(QStringLiteral("nidora.bmp"), { 76, 38, 48, 36 });
    auto* text = about.place(new QPlainTextEdit(aboutText()), { 8, 78, 184, 78 });
    text->setReadOnly(true);
    // The clickable region covers the whole window: the finger shows wherever the mouse is.
    about.content->setCursor(fingerCursor());
    text->viewport()->setCursor(fingerCursor());

    QMdiSubWindow* window = about.show(200, 162);
    if (window != nullptr)
        watchClicks(window, new ClickCloser(window));
    return window;
}

void PantallaFondo()
{
    waitOn(openSplashWindow());
}

void HelpAbout()
{
    waitOn(openAboutWindow());
}

} // namespace nidora::shell
