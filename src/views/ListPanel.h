#pragma once

#include "data/AccessObject.h"
#include "framework/ControlButton.h"
#include "framework/ControlSheet.h"
#include "framework/Window.h"
#include "views/BrowseControl.h"
#include "views/ListActions.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One list of a window and what serves it: the list control in the order of one key per tab,
// its locator, the buttons that call its form by request, the same actions on keys and on a
// right-click menu, and the select button of a lookup. A panel is no widget: it adds its
// controls to its window (or to a page of it) and acts on their events, which the window hands
// to its ListPanels. A window holds one panel per list it shows; a form's child list keeps to
// the rows of the form's record through its range and primes each new row with that record's
// code:
//
//   PACIENTES& patient = record<PACIENTES>();
//   ListPanel& visits = addPanel(FileId::CONSULTAS, page);
//   visits.addList(QStringLiteral("?BROWSE:2"), { 4, 4, 300, 100 },
//       { { &visits.key("CON:KPACIENTE"), LocatorKind::Step, QString(),
//           [&patient] { return std::vector<data::FieldValue> { std::int64_t(patient.CODIGO) }; } } },
//       { fieldColumn(visits.field("CON:FECHA"), QStringLiteral("Fecha"), QStringLiteral("@D6")) });
//   visits.addEditButtons({ 4, 110, 45, 14 }, 50, QStringLiteral(":3"));
//   visits.setPriming([&patient](data::Record& fresh) {
//       static_cast<CONSULTAS&>(fresh).PACIENTE = patient.CODIGO;
//   });
//   visits.setForm(UpdateCONSULTAS);
namespace nidora::views {

enum class ListButton { Insert, Change, Delete, Select, View, Close };

class ListPanel {
public:
    // access: the list's file, which the window opens before the panel's set-up. page: the
    // control the panel's controls are placed in (a tab of a sheet), or none for the window.
    ListPanel(framework::Window& window, data::AccessObject& access, framework::Control* page = nullptr);
    ~ListPanel();
    ListPanel(const ListPanel&) = delete;
    ListPanel& operator=(const ListPanel&) = delete;

    data::AccessObject& access() { return access_; }
    // The list's file's keys and fields by their full names; a name the file lacks is a
    // programming error (std::invalid_argument).
    const data::KeyDesc& key(const char* name) const;
    const data::FieldDesc& field(const char* name) const;

    // ---- the description ---------------------------------------------------------------
    BrowseControl& addList(const QString& name, const framework::DialogRect& at,
        std::vector<SortOrder> orders, std::vector<ListColumn> columns);
    framework::ButtonControl& addButton(ListButton role, const QString& name, const framework::DialogRect& at,
        const QString& text, const QString& icon = {});
    // The program's usual three buttons in a row, "&Agregar", "&Cambiar" and "&Borrar" with
    // their icons, named "?INSERT", "?CHANGE" and "?DELETE" followed by `suffix`; `first`
    // places the first, the others follow `step` dialog units to the right.
    void addEditButtons(
        const framework::DialogRect& first, int step, const QString& suffix = QStringLiteral(":2"));
    // The sheet whose tabs choose the list's sort order, one tab per order with its caption
    // (named "?TAB1", "?TAB2"...), placed behind the list; after addList.
    framework::SheetControl& addTabs(const QString& name, const framework::DialogRect& at,
        framework::SheetControl::Style style = framework::SheetControl::Style::Tabs);
    // The list's one form, run on the window's thread with the request the list sets.
    void setForm(std::function<void()> form);
    // The window's form-calling operation, which this list asks with its own number.
    void setForms(ListActions::FormCall forms, int number = 1);
    // What a new row holds besides the file's initial values (a child row, its parent's code),
    // set before priming numbers and adds it.
    void setPriming(ListActions::Priming priming) { priming_ = std::move(priming); }
    // No insert, change, delete and view keys or menu entries; the buttons, if any, still work.
    void withoutEditKeys() { editKeys_ = false; }
    // For a panel placed on a resizable window, after its controls: the sheet and the list take
    // whatever the window grows by, and each button keeps to the foot on the side of the list it
    // stands on.
    void followWindowSize();
    // After the panel's own handling, each time the highlight moved to another row, the list
    // was read again, or it first showed its rows.
    void setRowChangedHandler(std::function<void()> handler) { rowChanged_ = std::move(handler); }
    // Before the row-changed handler, each time the rows were read from the file again: the
    // opening, the return of a form, a new tab, refresh(). Not on a mere move of the highlight.
    void setRowsReadHandler(std::function<void()> handler) { rowsRead_ = std::move(handler); }

    // ---- acting --------------------------------------------------------------------------
    BrowseControl& list() { return *list_; }
    const BrowseControl& list() const { return *list_; }
    // From the window's set-up to the end of its procedure.
    ListActions& actions() { return *actions_; }
    // Whether the control is one of this panel's: its list, its sheet of sort orders or a button.
    bool owns(const framework::Control& control) const;
    // Switches an action off (or on again) on top of what the request allows: its button is
    // disabled, its key does nothing and the right-click menu has no entry for it.
    void allow(ListButton role, bool allowed);
    // Whether the action can be taken now.
    bool enabled(ListButton role) const;
    // Takes the action as its button would; answers what a handler answers.
    int act(ListButton role);
    // Reads the file again on the highlighted row and shows it (after the window changed
    // something the rows show).
    void refresh();
    // Asks the list, through its thread's events, to read its rows again (its file's keys were
    // rebuilt meanwhile).
    void postReadAgain();

    // ---- the window's part (through ListPanels) ------------------------------------------
    // Once the window's files are open: the actions, by the request the window was opened with.
    void setUp();
    // Once the window is open: the first rows.
    void open();
    // The handlers of the panel's controls; GoOn for a control that is not the panel's.
    int accepted(framework::Control& control);
    int take(framework::Control& control, const framework::ThreadEvent& event);

private:
    template <class C, class... Args>
    C& place(const QString& name, const framework::DialogRect& at, Args&&... args);
    void rowChanged();
    void rowsRead();
    void updateButtons();
    void showMenu(const QPoint& at);
    int actOnKey(int code);
    std::optional<ListButton> roleOf(const framework::Control& control) const;
    framework::ButtonControl* button(ListButton role) const { return buttons_[std::size_t(role)]; }

    framework::Window& window_;
    data::AccessObject& access_;
    framework::Control* page_;
    BrowseControl* list_ = nullptr;
    framework::SheetControl* tabs_ = nullptr;
    std::array<framework::ButtonControl*, 6> buttons_ {};
    std::array<bool, 6> allowed_ { true, true, true, true, true, true };
    ListActions::FormCall forms_;
    int formNumber_ = 1;
    ListActions::Priming priming_;
    std::optional<ListActions> actions_;
    bool editKeys_ = true;
    std::function<void()> rowChanged_;
    std::function<void()> rowsRead_;
};

// The panels of one window. The list and form windows hold theirs through DataWindow; any
// other window keeps a ListPanels of its own, sets it up once its files are open, opens it once
// it is open, and asks it first in its accepted and field-event handlers, as DataWindow does.
class ListPanels {
public:
    explicit ListPanels(framework::Window& window);

    ListPanel& add(data::AccessObject& access, framework::Control* page = nullptr);
    std::size_t size() const { return panels_.size(); }
    ListPanel& operator[](std::size_t index) { return *panels_[index]; }

    void setUp();
    void open();
    // Hand the event to the panel that owns the control; GoOn when none does.
    int accepted(framework::Control& control);
    int take(framework::Control& control, const framework::ThreadEvent& event);

private:
    ListPanel* owner(const framework::Control& control) const;

    framework::Window& window_;
    std::vector<std::unique_ptr<ListPanel>> panels_;
};

} // namespace nidora::views
