#include "views/ListWindow.h"

#include "framework/KeyCodes.h"
#include "framework/WindowEvent.h"
#include "views/DictionarySetup.h"

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

ListWindow::ListWindow(QString procedureName, data::FileId file)
    : Window(std::move(procedureName))
    , data_(views::threadDictionary())
    , files_(data_, file)
{
}

const data::KeyDesc& ListWindow::key(const char* name) const
{
    return data_.access(files_.primary()).key(name);
}

const data::FieldDesc& ListWindow::field(const char* name) const
{
    if (const data::FieldDesc* found = data_.access(files_.primary()).desc().field(QString::fromUtf8(name)))
        return *found;
    throw std::invalid_argument(name);
}

BrowseControl& ListWindow::addList(const QString& name, const framework::DialogRect& at,
    std::vector<SortOrder> orders, std::vector<ListColumn> columns)
{
    list_ = &add<BrowseControl>(name, at, access(), std::move(orders), std::move(columns));
    return *list_;
}

void ListWindow::addEditButtons(const framework::DialogRect& first, int step)
{
    struct Usual {
        ListButton role;
        const char* name;
        const char* text;
        const char* icon;
    };
    static constexpr Usual usual[] = { { ListButton::Insert, "?INSERT:2", "&Agregar", "new.ico" },
        { ListButton::Change, "?CHANGE:2", "&Cambiar", "cambiar.ico" },
        { ListButton::Delete, "?DELETE:2", "&Borrar", "borrar.ico" } };
    framework::DialogRect at = first;
    for (const Usual& button : usual) {
        addButton(button.role, QString::fromUtf8(button.name), at, QString::fromUtf8(button.text),
            QString::fromUtf8(button.icon));
        at.x += step;
    }
}

framework::ButtonControl& ListWindow::addButton(ListButton role, const QString& name,
    const framework::DialogRect& at, const QString& text, const QString& icon)
{
    framework::ButtonControl& made = add<framework::ButtonControl>(name, at, text, icon);
    buttons_[std::size_t(role)] = &made;
    return made;
}

framework::SheetControl& ListWindow::addTabs(
    const QString& name, const framework::DialogRect& at, framework::SheetControl::Style style)
{
    tabs_ = &add<framework::SheetControl>(name, at, style);
    const std::vector<SortOrder>& orders = list_->view().sortOrders();
    for (std::size_t order = 0; order < orders.size(); ++order)
        addIn<framework::TabControl>(
            *tabs_, QStringLiteral("?TAB%1").arg(order + 1), {}, orders[order].caption);
    // Behind the list it chooses the order of.
    tabs_->widget()->lower();
    return *tabs_;
}

void ListWindow::setForm(std::function<void()> form)
{
    forms_ = [form = std::move(form)](int) { form(); };
}

bool ListWindow::onSetUp()
{
    if (!files_.open())
        return false;
    noteFilesOpened();
    actions_.emplace(
        list_->view(), thread(), std::uint8_t(request()), forms_ ? forms_ : [](int) {});
    for (const int code : { keys::Insert, kChangeKey, keys::Delete, kViewKey })
        list_->addAlertKey(code);
    return true;
}

void ListWindow::onOpened()
{
    if (framework::ButtonControl* select = button(ListButton::Select))
        select->setVisible(request() == SelectRecord);
    list_->view().open();
    list_->showHighlight();
    rowsRead();
}

void ListWindow::closeFiles()
{
    files_.close();
}

bool ListWindow::enabled(ListButton role) const
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

void ListWindow::allow(ListButton role, bool allowed)
{
    allowed_[std::size_t(role)] = allowed;
    updateButtons();
}

void ListWindow::updateButtons()
{
    for (std::size_t role = 0; role < buttons_.size(); ++role)
        if (buttons_[role])
            buttons_[role]->setEnabled(enabled(ListButton(role)));
}

void ListWindow::rowsRead()
{
    onRowsRead();
    rowChanged();
}

void ListWindow::rowChanged()
{
    updateButtons();
    onRowChanged();
}

void ListWindow::refreshList()
{
    list_->view().refresh();
    list_->showHighlight();
    rowsRead();
}

int ListWindow::act(ListButton role)
{
    if (!enabled(role))
        return Consumed;
    switch (role) {
    case ListButton::Insert:
        actions_->insert();
        break;
    case ListButton::Change:
        actions_->change();
        break;
    case ListButton::Delete:
        actions_->remove();
        break;
    case ListButton::View:
        actions_->view();
        break;
    case ListButton::Select:
        if (actions_->select() != Completed)
            return Consumed;
        setResponse(Completed);
        return EndLoop;
    case ListButton::Close:
        return EndLoop;
    }
    list_->showHighlight();
    rowsRead();
    select(*list_);
    return Consumed;
}

std::optional<ListButton> ListWindow::roleOf(const framework::Control& control) const
{
    for (std::size_t role = 0; role < buttons_.size(); ++role)
        if (buttons_[role] == &control)
            return ListButton(role);
    return std::nullopt;
}

int ListWindow::onAccepted(framework::Control& control)
{
    if (const std::optional<ListButton> role = roleOf(control))
        return act(*role);
    if (&control == list_) // a double click: choose the row when selecting, else change it
        return act(request() == SelectRecord ? ListButton::Select : ListButton::Change);
    return GoOn;
}

int ListWindow::actOnKey(int code)
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

int ListWindow::onFieldEvent(framework::Control& control, const framework::ThreadEvent& event)
{
    if (&control == tabs_ && event.code == framework::event::NewSelection) {
        list_->view().switchOrder(tabs_->currentPage());
        list_->showHighlight();
        rowsRead();
        return GoOn;
    }
    if (&control != list_)
        return GoOn;
    switch (event.code) {
    case listEvent::Input:
        if (list_->take(event.value.value<ListInput>()))
            rowChanged();
        return Consumed;
    case listEvent::ContextMenu:
        showMenu(event.value.toPoint());
        return Consumed;
    case listEvent::MenuChoice:
        return act(ListButton(event.value.toInt()));
    case framework::event::AlertKey:
        return actOnKey(event.value.toInt());
    default:
        return GoOn;
    }
}

void ListWindow::showMenu(const QPoint& at)
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
        // An action the procedure switched off has no entry; one the request rules out is
        // shown disabled.
        const bool editing = entry.role != ListButton::Select;
        if ((editing && !editKeys_) || !allowed_[std::size_t(entry.role)]
            || (entry.role == ListButton::View && !button(ListButton::View))
            || (entry.role == ListButton::Select && request() != SelectRecord))
            continue;
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setEnabled(enabled(entry.role));
        QObject::connect(action, &QAction::triggered, list_->widget(),
            [this, role = entry.role] { post(listEvent::MenuChoice, list_->widget(), int(role)); });
    }
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(list_->widget()->mapToGlobal(at));
}

} // namespace nidora::views
