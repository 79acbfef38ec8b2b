#include "framework/Window.h"

#include <QLineEdit>

#include "core/ErrorManager.h"
#include "framework/CloseDown.h"
#include "framework/ControlLabels.h"
#include "framework/EdgeAnchors.h"
#include "framework/FontSubstitution.h"
#include "framework/MessageBoxes.h"
#include "framework/ThreadContext.h"
#include "framework/WindowArea.h"
#include "framework/WindowEvent.h"
#include "framework/WindowInput.h"

#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QStackedWidget>
#include <QTabWidget>

namespace nidora::framework {

namespace {

bool isThemedKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Entry:
    case ControlKind::List:
    case ControlKind::DropList:
    case ControlKind::Combo:
    case ControlKind::Spin:
    case ControlKind::Text:
    case ControlKind::Sheet:
        return true;
    default:
        return false;
    }
}

bool holdsFocusOf(const QWidget* focus, const Control& control)
{
    return focus && (focus == control.widget() || control.widget()->isAncestorOf(focus));
}

// A control on a page of a sheet that is not in front cannot take the focus: each sheet it
// stands in, from the innermost out, shows the page that holds it.
void bringPagesForward(QWidget* widget, const QWidget* window)
{
    for (QWidget* page = widget; page && page != window; page = page->parentWidget()) {
        auto* pages = qobject_cast<QStackedWidget*>(page->parentWidget());
        if (!pages)
            continue;
        if (auto* sheet = qobject_cast<QTabWidget*>(pages->parentWidget()))
            sheet->setCurrentWidget(page);
    }
}

} // namespace

// The keyboard navigator and the focus highlighter come before the window itself, as they
// did in every window the program grew from; the theme manager comes after its controls.
Window::Window(QString procedureName)
    : Window(std::move(procedureName), true)
{
}

Window::Window(QString procedureName, WithoutComponents)
    : Window(std::move(procedureName), false)
{
}

Window::Window(QString procedureName, bool withComponents)
    : procedureName_(std::move(procedureName))
    , thread_(currentThread())
    , navigator_(withComponents ? makeKeyboardNavigator() : std::make_unique<KeyboardNavigator>())
    , highlighter_(withComponents ? makeFocusHighlighter() : std::make_unique<FocusHighlighter>())
    , widget_(new WindowWidget(*this))
    , frame_(widget_)
    , input_(std::make_unique<WindowInput>(*this))
    , units_(widget_->font())
{
    // The font of every window whose description names no other, whatever the desktop's own.
    setFont(QStringLiteral("MS Sans Serif"), 8);
    QObject::connect(&timer_, &QTimer::timeout, widget_, [this] { post(event::Timer); });
}

Window::~Window()
{
    dispose();
}

void Window::setCaption(const QString& caption)
{
    widget_->setWindowTitle(caption);
}

QString Window::caption() const
{
    return widget_->windowTitle();
}

void Window::setIcon(const QIcon& icon)
{
    widget_->setWindowIcon(icon);
}

void Window::setFont(const QString& family, int pointSize)
{
    widget_->setFont(describedFont(family, pointSize));
    units_ = DialogUnits(widget_->font());
}

void Window::setSize(int width, int height)
{
    size_ = QSize(width, height);
    widget_->resize(units_.toPixels(size_));
}

void Window::setPosition(int x, int y)
{
    position_ = QPoint(x, y);
}

void Window::setCentred()
{
    position_.reset();
}

void Window::setWallpaper(const QString& picture)
{
    const QPixmap tile(findPictureFile(picture));
    if (tile.isNull())
        return;
    QPalette palette = widget_->palette();
    palette.setBrush(QPalette::Window, QBrush(tile));
    widget_->setPalette(palette);
    widget_->setAutoFillBackground(true);
}

Control& Window::place(
    std::unique_ptr<Control> made, Control* parent, const QString& name, const DialogRect& at)
{
    Control& control = *made;
    control.window_ = this;
    control.number_ = static_cast<int>(controls_.size()) + 1;
    control.name_ = name;
    control.widget()->setObjectName(name);
    controls_.push_back(std::move(made));
    const QRect pixels = units_.toPixels(at);
    if (parent) {
        parent->adopt(control, pixels);
    } else {
        control.widget()->setParent(widget_);
        control.widget()->setGeometry(pixels);
    }
    control.attached();
    input_->watch(control.widget());
    return control;
}

void Window::anchor(Control& control, Qt::Edges edges)
{
    for (Anchored& each : anchored_)
        if (each.control == &control) {
            each.edges = edges;
            return;
        }
    anchored_.push_back({ &control, edges, control.widget()->geometry() });
}

void Window::layOutAnchored()
{
    if (!widget_)
        return;
    const QSize growth = widget_->size() - units_.toPixels(size_);
    for (const Anchored& each : anchored_)
        each.control->widget()->setGeometry(framework::followEdges(each.placed, each.edges, growth));
}

Control* Window::control(int number) const
{
    if (number < 1 || number > static_cast<int>(controls_.size()))
        return nullptr;
    return controls_[static_cast<std::size_t>(number - 1)].get();
}

Control* Window::control(const QString& name) const
{
    for (const auto& each : controls_)
        if (each->name().compare(name, Qt::CaseInsensitive) == 0)
            return each.get();
    return nullptr;
}

Control* Window::controlOf(const QObject* object) const
{
    for (; object && object != widget_; object = object->parent())
        for (const auto& each : controls_)
            if (each->widget() == object)
                return each.get();
    return nullptr;
}

QWidget* Window::widget() const
{
    return widget_;
}

void Window::setOkControl(Control* control, bool leaveOutOfTabOrder)
{
    okControl_ = control;
    leaveOkOutOfTabOrder_ = leaveOutOfTabOrder;
}

void Window::select(int number)
{
    if (Control* target = control(number))
        select(*target);
}

void Window::select(Control& target)
{
    ++selections_;
    QWidget* taker = focusTaker(target).widget();
    bringPagesForward(taker, widget_);
    // As the keyboard gives it: an entry holding a value comes with all of it selected, so
    // what is typed replaces it rather than running on from its end. The selection is made
    // here too, as a window not yet active hands its focus on later for another reason.
    taker->setFocus(Qt::TabFocusReason);
    QLineEdit* line = qobject_cast<QLineEdit*>(taker);
    if (!line)
        line = taker->findChild<QLineEdit*>();
    if (line && line->isEnabled() && !line->isReadOnly())
        line->selectAll();
}

Control& Window::focusTaker(Control& target) const
{
    // A prompt stands for the field it heads: a form whose first control is its first prompt
    // puts the focus on the field after it, and on whatever comes next when that one is off.
    if (target.kind() != ControlKind::Prompt)
        return target;
    for (int number = target.number() + 1; Control* next = control(number); ++number)
        if (next->widget()->focusPolicy() != Qt::NoFocus && next->isEnabled())
            return *next;
    return target;
}

void Window::post(int code, const QVariant& value)
{
    post(code, widget_, value);
}

void Window::post(int code, QObject* source, const QVariant& value)
{
    thread_.events().post(ThreadEvent { code, source, value });
}

void Window::requestClose()
{
    post(event::CloseWindow);
}

void Window::bringToFront()
{
    if (frame_ && frame_->isVisible())
        framework::bringToFront(frame_);
}

void Window::setTimer(int hundredths)
{
    timerHundredths_ = hundredths;
    if (hundredths > 0)
        timer_.start(hundredths * 10);
    else
        timer_.stop();
}

bool Window::isAlertKey(const Control* target, int code) const
{
    return alertKeys_.count(code) != 0 || (target && target->hasAlertKey(code));
}

void Window::display()
{
    for (const auto& each : controls_)
        each->display();
}

void Window::updateFields()
{
    for (const auto& each : controls_)
        if (each->holdsData())
            each->commit();
}

bool Window::acceptAll()
{
    for (const auto& each : controls_) {
        Control& target = *each;
        if (!target.holdsData() || !target.isEnabled())
            continue;
        // A control on a page that is not in front is taken all the same, without the focus
        // and without bringing its page forward: only a control the pass stops at comes to
        // the front (its handler, or the refusal of its text, selects it).
        const bool inSight = target.widget()->isVisibleTo(widget_);
        if (inSight)
            target.widget()->setFocus(Qt::OtherFocusReason);
        if (const InputError error = target.commit(); error != InputError::None) {
            onRejected(target, error);
            return false;
        }
        // A handler that puts the focus back on its own control (a lookup closed without a
        // choice) stops the pass as surely as one that moves it elsewhere.
        const int selectedBefore = selections_;
        const int result = onAccepted(target);
        if (result == handled::EndLoop || selections_ != selectedBefore
            || (inSight && !holdsFocusOf(widget_->focusWidget(), target)))
            return false;
    }
    return true;
}

int Window::run()
{
    if (setUp())
        runEventLoop();
    closingStep();
    const int answer = response_ != 0 ? response_ : Cancelled;
    thread_.CallResponse = static_cast<std::uint8_t>(answer);
    dispose();
    return answer;
}

bool Window::setUp()
{
    core::AppErrorManager.addProcedure(procedureName_);
    named_ = true;
    request_ = thread_.CallRequest;
    openedRequest_ = request_;
    themeManager_ = makeThemeManager();
    thread_.CallRequest = 0;
    thread_.CallResponse = 0;
    if (!onSetUp())
        return false;
    open();
    onOpened();
    if (themeLibraryLoaded())
        for (Control* themed : themedControls())
            themeManager_->addControl(*themed);
    if (okControl_ && leaveOkOutOfTabOrder_)
        navigator_->exclude(*okControl_);
    navigator_->buildTabOrder(*this);
    highlighter_->setUp(*this, HighlighterOptions {});
    return true;
}

void Window::open()
{
    WindowOpening opening { units_.toPixels(size_), {}, resizable_ };
    if (position_)
        opening.at = QPoint(units_.toPixelsX(position_->x()), units_.toPixelsY(position_->y()));
    frame_ = showInWindowArea(widget_, opening);
    onTop_.emplace(frame_);
    select(firstControl_);
}

void Window::runEventLoop()
{
    while (auto event = thread_.events().nextEvent(widget_))
        if (takeEvent(*event) == handled::EndLoop)
            return;
}

int Window::takeEvent(const ThreadEvent& event)
{
    if (event.code == event::CloseDown)
        return takeCloseDown();
    highlighter_->takeEvent(*this, event);
    if (navigator_->takeEvent(*this, event))
        return handled::Consumed;
    if (Control* target = controlOf(event.source))
        return takeControlEvent(*target, event);
    const int result = onWindowEvent(event);
    if (event.code == event::Sized)
        post(event::RedrawHighlight);
    return result;
}

int Window::takeCloseDown()
{
    const int result = takeEvent(ThreadEvent { event::CloseWindow, widget_, {} });
    if (result != handled::EndLoop) {
        bringToFront();
        refuseCloseDown();
        return result;
    }
    // The window below, whose loop runs again once this one has gone, closes next.
    thread_.events().post(ThreadEvent { event::CloseDown, nullptr, {} });
    return result;
}

int Window::takeControlEvent(Control& target, const ThreadEvent& event)
{
    ThreadEvent taken = event;
    if (event.code == event::Accepted) {
        if (const InputError error = target.commit(); error != InputError::None) {
            taken.code = event::Rejected;
            taken.value = static_cast<int>(error);
        } else if (const int result = onAccepted(target); result != handled::GoOn) {
            return result;
        }
    }
    if (const int result = onFieldEvent(target, taken); result != handled::GoOn)
        return result;
    switch (taken.code) {
    case event::NewSelection:
        return onNewSelection(target);
    case event::Selected:
        return onSelected(target);
    case event::Rejected:
        return onRejected(target, static_cast<InputError>(taken.value.toInt()));
    default:
        return handled::GoOn;
    }
}

int Window::onWindowEvent(const ThreadEvent& event)
{
    switch (event.code) {
    case event::CloseWindow:
        return handled::EndLoop;
    case event::Timer:
        return onTimer();
    case event::GainFocus:
        // Posted with no source, from another thread: whichever window runs this thread's
        // loop now (a list asked to show itself again, or a form open over it) comes forward.
        if (!event.source)
            bringToFront();
        return handled::GoOn;
    default:
        return handled::GoOn;
    }
}

int Window::onAccepted(Control&)
{
    return handled::GoOn;
}

int Window::onFieldEvent(Control&, const ThreadEvent&)
{
    return handled::GoOn;
}

int Window::onNewSelection(Control&)
{
    return handled::GoOn;
}

int Window::onSelected(Control&)
{
    return handled::GoOn;
}

int Window::onRejected(Control& target, InputError error)
{
    showMessage(inputErrorText(error));
    select(target);
    target.keepUnread();
    return handled::Consumed;
}

std::vector<Control*> Window::themedControls() const
{
    std::vector<Control*> themed;
    for (const auto& each : controls_)
        if (isThemedKind(each->kind()))
            themed.push_back(each.get());
    return themed;
}

void Window::closingStep()
{
    timer_.stop();
    if (filesOpened_) {
        closeFiles();
        filesOpened_ = false;
    }
    if (named_) {
        core::AppErrorManager.removeProcedure();
        named_ = false;
    }
}

// Reverse order of building: the theme manager lets go of the controls, the window goes, then
// the highlighter and the navigator.
void Window::dispose()
{
    if (!widget_)
        return;
    if (themeManager_)
        themeManager_->kill();
    onTop_.reset();
    anchored_.clear();
    controls_.clear();
    input_.reset();
    QWidget* frame = frame_ ? frame_.data() : widget_;
    widget_ = nullptr;
    delete frame;
    highlighter_->kill();
    navigator_->kill();
}

int callWithRequest(int request, const std::function<void()>& procedure)
{
    ThreadContext& self = currentThread();
    self.CallRequest = static_cast<std::uint8_t>(request);
    procedure();
    return self.CallResponse;
}

} // namespace nidora::framework
