#include "shell/ProductWindows.h"

#include "shell/FrameCommands.h"
#include "shell/MainFrame.h"

#include "framework/Await.h"
#include "framework/FontSubstitution.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

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

QLabel* label(const QString& text, const QString& family, int pointSize)
{
    auto* result = new QLabel(text);
    result->setFont(framework::describedFont(family, pointSize, true));
    result->setAlignment(Qt::AlignCenter);
    return result;
}

QLabel* productPicture()
{
    auto* picture = new QLabel;
    picture->setPixmap(QIcon(QStringLiteral(":/icons/nidora_ico.svg")).pixmap(96, 96));
    picture->setAlignment(Qt::AlignCenter);
    return picture;
}

QMdiSubWindow* showFrameless(QWidget* content)
{
    QMdiArea* workspace = frameWorkspace();
    if (workspace == nullptr) {
        delete content;
        return nullptr;
    }
    QMdiSubWindow* window = workspace->addSubWindow(content, Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    workspace->setActiveSubWindow(window);
    return window;
}

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

QMdiSubWindow* openSplashWindow()
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("PantallaFondo"));
    content->setAutoFillBackground(true);
    content->setStyleSheet(QStringLiteral("#PantallaFondo { background: qlineargradient(x1:0, y1:0, x2:0, "
                                          "y2:1, stop:0 #dfeefa, stop:1 #8fb8de); }"));
    content->setFont(framework::describedFont(QString::fromUtf8(kWindowFont), kWindowFontSize));
    auto* layout = new QVBoxLayout(content);
    auto* titleBox = new QLabel;
    titleBox->setFrameShape(QFrame::Box);
    auto* boxLayout = new QVBoxLayout(titleBox);
    boxLayout->addWidget(label(QStringLiteral("NIDORA 1.76"), QStringLiteral("Courier New"), 20));
    layout->addWidget(titleBox);
    layout->addWidget(label(QString::fromUtf8(kContactAddress), QStringLiteral("Courier New"), 10));
    layout->addWidget(productPicture());

    QMdiSubWindow* window = showFrameless(content);
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
    auto* content = new QWidget;
    content->setFont(framework::describedFont(QString::fromUtf8(kWindowFont), kWindowFontSize));
    content->setCursor(Qt::PointingHandCursor);
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(label(QStringLiteral("Nidora 1.76"), QStringLiteral("Arial"), 18));
    auto* box = new QFrame;
    box->setFrameShape(QFrame::HLine);
    layout->addWidget(box);
    layout->addWidget(
        label(QStringLiteral("Hecho para la consulta por el equipo de Nidora"), QStringLiteral("Arial"), 9));
    layout->addWidget(productPicture());
    auto* text = new QPlainTextEdit(aboutText());
    text->setReadOnly(true);
    text->viewport()->setCursor(Qt::PointingHandCursor);
    layout->addWidget(text);

    QMdiSubWindow* window = showFrameless(content);
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
