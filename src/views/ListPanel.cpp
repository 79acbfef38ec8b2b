#include "views/ListPanel.h"

#include "views/RebuiltKeyLists.h"

#include "framework/KeyCodes.h"
#include "framework/WindowEvent.h"

#include <QMenu>

#include <stdexcept>

namespace nidora::views {
namespace {

using framework::handled::Consumed;
using framework::handled::EndLoop;
using framework::handled::GoOn;

constexpr int kChangeKey = keys::withCtrl(keys::Enter);
constexpr int kViewKey = keys::withShift(keys::Enter);

} // namespace

ListPanel::ListPanel(framework::Window& window, data::AccessObject& access, framework::Control* page)
    : window_(window)
    , access_(access)
    , page_(page)
{
}

const data::KeyDesc& ListPanel::key(const char* name) const
{
    return access_.key(name);
}

const data::FieldDesc& ListPanel::field(const char* name) const
{
    if (const data::FieldDesc* found = access_.desc().field(QString::fromUtf8(name)))
        return *found;
    throw std::invalid_argument(name);
}

template <class C, class... Args>
C& ListPanel::place(const QString& name, const framework::DialogRect& at, Args&&... args)
{
    if (page_)
        return window_.addIn<C>(*page_, name, at, std::forward<Args>(args)...);
    return window_.add<C>(name, at, std::forward<Args>(args)...);
}

BrowseControl& ListPanel::addList(const QString& name, const framework::DialogRect& at,
    std::vector<SortOrder> orders, std::vector<ListColumn> columns)
{
    list_ = &place<BrowseControl>(name, at, access_, std::move(orders), std::move(columns));
    RebuiltKeyLists::add(*this);
    return *list_;
}

ListPanel::~ListPanel()
{
    RebuiltKeyLists::remove(*this);
}

void ListPanel::postReadAgain()
{
    if (list_)
        window_.post(listEvent::ReadAgain, list_->widget(), {});
}

void ListPanel::addEditButtons(const framework::DialogRect& first, int step, const QString& suffix)
{
    struct Usual {
        ListButton role;
        const char* name;
        const char* text;
        const char* icon;
    };
    static constexpr Usual usual[] = { { ListButton::Insert, "?INSERT", "&Agregar", "new.ico" },
        { ListButton::Change, "?CHANGE", "&Cambiar", "cambiar.ico" },
        { ListButton::Delete, "?DELETE", "&Borrar", "borrar.ico" } };
    framework::DialogRect at = first;
    for (const Usual& button : usual) {
        addButton(button.role, QString::fromUtf8(button.name) + suffix, at, QString::fromUtf8(button.text),
            QString::fromUtf8(button.icon));
        at.x += step;
    }
}

framework::ButtonControl& ListPanel::addButton(ListButton role, const QString& name,
    const framework::DialogRect& at, const QString& text, const QString& icon)
{
    framework::ButtonControl& made = place<framework::ButtonControl>(name, at, text, icon);
    buttons_[std::size_t(role)] = &made;
    return made;
}

framework::SheetControl& ListPanel::addTabs(
    const QString& name, const framework::DialogRect& at, framework::SheetControl::Style style)
{
    tabs_ = &place<framework::SheetControl>(name, at, style);
    const std::vector<SortOrder>& orders = list_->view().sortOrders();
    for (std::size_t order = 0; order < orders.size(); ++order)
        window_.addIn<framework::TabControl>(
            *tabs_, QStringLiteral("?TAB%1").arg(order + 1), {}, orders[order].caption);
    // Behind the list it chooses the order of.
    tabs_->widget()->lower();
    return *tabs_;
}

void ListPanel::setForm(std::function<void()> form)
{
    setForms([form = std::move(form)](int) { form(); });
}

void ListPanel::setForms(ListActions::FormCall forms, int number)
{
    forms_ = std::move(forms);
    formNumber_ = number;
}

bool ListPanel::owns(const framework::Control& control) const
{
    return &control == list_ || &control == tabs_ || roleOf(control).has_value();
}

void ListPanel::followWindowSize()
{
    const Qt::Edges everyEdge = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;
    if (tabs_)
        window_.anchor(*tabs_, everyEdge);
    window_.anchor(*list_, everyEdge);
    // A button keeps to the foot, on the side of the list it stands on.
    const int middle = list_->widget()->geometry().center().x();
    for (framework::ButtonControl* each : buttons_)
        if (each) {
            const bool left = each->widget()->geometry().center().x() < middle;
            window_.anchor(*each, (left ? Qt::LeftEdge : Qt::RightEdge) | Qt::BottomEdge);
        }
}

void ListPanel::setUp()
{
    actions_.emplace(
        list_->view(), window_.thread(), std::uint8_t(window_.request()), forms_ ? forms_ : [](int) {});
    actions_->setPriming(priming_);
    for (const int code : { keys::Insert, kChangeKey, keys::Delete, kViewKey })
        list_->addAlertKey(code);
}

void ListPanel::open()
{
    if (framework::ButtonControl* select = button(ListButton::Select))
        select->setVisible(window_.request() == SelectRecord);
    list_->view().open();
    list_->showHighlight();
    rowsRead();
}

bool ListPanel::enabled(ListButton role) const
{
    if (!actions_ || !allowed_[std::size_t(role)])
        return false;
    const ListButtons rules = actions_->buttons(button(ListButton::View) != nullptr);
    switch (role) {
    case ListButton::Insert:
        return rules.insert;
    case ListButton::Change:
        return rules.change;
    case ListButton::Delete:
        return rules.remove;
    case ListButton::Select:
        return rules.select;
    case ListButton::View:
        return rules.view;
    case ListButton::Close:
        return true;
    }
    return false;
}

void ListPanel::allow(ListButton role, bool allowed)
{
    allowed_[std::size_t(role)] = allowed;
    updateButtons();
}

void ListPanel::updateButtons()
{
    for (std::size_t role = 0; role < buttons_.size(); ++role)
        if (buttons_[role])
            buttons_[role]->setEnabled(enabled(ListButton(role)));
}

void ListPanel::rowsRead()
{
    if (rowsRead_)
        rowsRead_();
    rowChanged();
}

void ListPanel::rowChanged()
{
    updateButtons();
    if (rowChanged_)
        rowChanged_();
}

void ListPanel::refresh()
{
    list_->view().refresh();
    list_->showHighlight();
    rowsRead();
}

int ListPanel::act(ListButton role)
{
    if (!enabled(role))
        return Consumed;
    switch (role) {
    case ListButton::Insert:
        actions_->insert(formNumber_);
        break;
    case ListButton::Change:
        actions_->change(formNumber_);
        break;
    case ListButton::Delete:
        actions_->remove(formNumber_);
        break;
    case ListButton::View:
        actions_->view(formNumber_);
        break;
    case ListButton::Select:
        if (actions_->select() != Completed)
            return Consumed;
        window_.setResponse(Completed);
        return EndLoop;
    case ListButton::Close:
        return EndLoop;
    }
    list_->showHighlight();
    rowsRead();
    window_.select(*list_);
    return Consumed;
}

std::optional<ListButton> ListPanel::roleOf(const framework::Control& control) const
{
    for (std::size_t role = 0; role < buttons_.size(); ++role)
        if (buttons_[role] == &control)
            return ListButton(role);
    return std::nullopt;
}

int ListPanel::accepted(framework::Control& control)
{
    // Only the buttons act on being accepted: the list itself is accepted again by a form's
    // pass over its data controls, which must not call the list's form.
    if (const std::optional<ListButton> role = roleOf(control))
        return act(*role);
    return GoOn;
}

int ListPanel::actOnKey(int code)
{
    if (!editKeys_)
        return GoOn;
    switch (code) {
    case keys::Insert:
        return act(ListButton::Insert);
    case kChangeKey:
        return act(ListButton::Change);
    case keys::Delete:
        return act(ListButton::Delete);
    case kViewKey:
        return button(ListButton::View) ? act(ListButton::View) : Consumed;
    default:
        return GoOn;
    }
}

int ListPanel::take(framework::Control& control, const framework::ThreadEvent& event)
{
    if (tabs_ && &control == tabs_ && event.code == framework::event::NewSelection) {
        list_->view().switchOrder(tabs_->currentPage());
        list_->showHighlight();
        rowsRead();
        return GoOn;
    }
    if (!list_ || &control != list_)
        return GoOn;
    switch (event.code) {
    case listEvent::Input:
        if (list_->take(event.value.value<ListInput>()))
            rowChanged();
        return Consumed;
    case listEvent::DoubleClick: // choose the row when selecting, else change it
        return act(window_.request() == SelectRecord ? ListButton::Select : ListButton::Change);
    case listEvent::ContextMenu:
        showMenu(event.value.toPoint());
        return Consumed;
    case listEvent::MenuChoice:
        return act(ListButton(event.value.toInt()));
    case framework::event::AlertKey:
        return actOnKey(event.value.toInt());
    case listEvent::ReadAgain:
        // Only once the list shows rows: one still being set up reads them when it opens.
        if (actions_)
            refresh();
        return Consumed;
    default:
        return GoOn;
    }
}

void ListPanel::showMenu(const QPoint& at)
{
    struct Entry {
        ListButton role;
        const char* text;
    };
    static constexpr Entry kEntries[] = { { ListButton::Insert, "&Insert" },
        { ListButton::Change, "&Change" }, { ListButton::Delete, "&Delete" }, { ListButton::View, "&View" },
        { ListButton::Select, "&Select" } };
    auto* menu = new QMenu(list_->widget());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const Entry& entry : kEntries) {
        // An action the window switched off has no entry; one the request rules out is shown
        // disabled.
        const bool editing = entry.role != ListButton::Select;
        if ((editing && !editKeys_) || !allowed_[std::size_t(entry.role)]
            || (entry.role == ListButton::View && !button(ListButton::View))
            || (entry.role == ListButton::Select && window_.request() != SelectRecord))
            continue;
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setEnabled(enabled(entry.role));
        QObject::connect(action, &QAction::triggered, list_->widget(),
            [this, role = entry.role] { window_.post(listEvent::MenuChoice, list_->widget(), int(role)); });
    }
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(list_->widget()->mapToGlobal(at));
}

ListPanels::ListPanels(framework::Window& window)
    : window_(window)
{
}

ListPanel& ListPanels::add(data::AccessObject& access, framework::Control* page)
{
    panels_.push_back(std::make_unique<ListPanel>(window_, access, page));
    return *panels_.back();
}

void ListPanels::setUp()
{
    for (const auto& panel : panels_)
        panel->setUp();
}

void ListPanels::open()
{
    for (const auto& panel : panels_)
        panel->open();
}

ListPanel* ListPanels::owner(const framework::Control& control) const
{
    for (const auto& panel : panels_)
        if (panel->owns(control))
            return panel.get();
    return nullptr;
}

int ListPanels::accepted(framework::Control& control)
{
    ListPanel* panel = owner(control);
    return panel ? panel->accepted(control) : GoOn;
}

int ListPanels::take(framework::Control& control, const framework::ThreadEvent& event)
{
    ListPanel* panel = owner(control);
    return panel ? panel->take(control, event) : GoOn;
}

} // namespace nidora::views
