#pragma once

#include "data/Dictionary.h"
#include "framework/ControlButton.h"
#include "framework/ControlSheet.h"
#include "framework/Window.h"
#include "views/BrowseControl.h"
#include "views/ListActions.h"
#include "views/ProcedureFiles.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The window of a list procedure (the Browse... windows): one data file shown in a list control
// in the order of one key per tab, buttons that call the list's form by request, the same
// actions on keys and on a right-click menu, and the select button of a lookup. A procedure
// describes its controls in its constructor and overrides only what differs:
//
//   DoctorList() : ListWindow("BrowseMEDICOS", FileId::MEDICOS)
//   {
//       setCaption("Archivo de Médicos");
//       addList("?BROWSE:1", { 8, 8, 120, 110 }, { { &key("MED:KCODIGO"), LocatorKind::Incremental, "Indice"
//       } },
//           { fieldColumn(field("MED:NOMBRE"), "Médicos", "@s30") });
//       addButton(ListButton::Insert, "?INSERT:2", { 8, 124, 40, 14 }, "&Agregar", "new.ico");
//       ...
//       addTabs("?CURRENTTAB", { 4, 4, 172, 152 }, SheetControl::Style::Wizard);
//       setForm(UpdateMEDICOS);               // the form procedure, run on this thread
//   }
namespace nidora::views {

enum class ListButton { Insert, Change, Delete, Select, View, Close };

class ListWindow : public framework::Window {
public:
    // file: the list's file, opened with its related files through its relation object.
    ListWindow(QString procedureName, data::FileId file);

    data::Dictionary& data() { return data_; }
    data::AccessObject& access() { return data_.access(files_.primary()); }
    template <class R> R& record() { return data_.buffer<R>(); }
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
    // their icons, named "?INSERT:2", "?CHANGE:2" and "?DELETE:2"; `first` places the first,
    // the others follow `step` dialog units to the right.
    void addEditButtons(const framework::DialogRect& first, int step);
    // The sheet whose tabs choose the list's sort order, one tab per order with its caption
    // (named "?TAB1", "?TAB2"...), placed behind the list; after addList.
    framework::SheetControl& addTabs(const QString& name, const framework::DialogRect& at,
        framework::SheetControl::Style style = framework::SheetControl::Style::Tabs);
    // The list's one form, run on this thread with the request the list sets.
    void setForm(std::function<void()> form);
    // Several forms, chosen by number.
    void setForms(ListActions::FormCall forms) { forms_ = std::move(forms); }
    // Another file the procedure reads besides its own, opened and closed with it.
    void openAlso(data::FileId file) { files_.add(file); }
    // No insert, change, delete and view keys or menu entries (the patient, appointment,
    // coverage and users lists); their buttons, if any, still work.
    void withoutEditKeys() { editKeys_ = false; }

    // ---- acting --------------------------------------------------------------------------
    BrowseControl& list() { return *list_; }
    ListActions& actions() { return *actions_; }
    // Switches an action off (or on again) on top of what the request allows: its button is
    // disabled, its key does nothing and the right-click menu has no entry for it.
    void allow(ListButton role, bool allowed);
    // Whether the action can be taken now.
    bool enabled(ListButton role) const;
    // Takes the action as its button would; answers what a handler answers.
    int act(ListButton role);
    // Reads the file again on the highlighted row and shows it (after the procedure changed
    // something the rows show).
    void refreshList();

protected:
    bool onSetUp() override;
    void onOpened() override;
    void closeFiles() override;
    int onAccepted(framework::Control& control) override;
    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override;
    // After the common handling, each time the highlight moved to another row, the list was
    // read again, or it first showed its rows.
    virtual void onRowChanged() { }
    // Before onRowChanged, each time the rows were read from the file again: the opening, the
    // return of a form, a new tab, refreshList(). Not on a mere move of the highlight.
    virtual void onRowsRead() { }

private:
    void rowChanged();
    void rowsRead();
    void updateButtons();
    void showMenu(const QPoint& at);
    int actOnKey(int code);
    std::optional<ListButton> roleOf(const framework::Control& control) const;
    framework::ButtonControl* button(ListButton role) const { return buttons_[std::size_t(role)]; }

    data::Dictionary& data_;
    ProcedureFiles files_;
    BrowseControl* list_ = nullptr;
    framework::SheetControl* tabs_ = nullptr;
    std::array<framework::ButtonControl*, 6> buttons_ {};
    std::array<bool, 6> allowed_ { true, true, true, true, true, true };
    ListActions::FormCall forms_;
    std::optional<ListActions> actions_;
    bool editKeys_ = true;
};

} // namespace nidora::views
