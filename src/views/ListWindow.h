#pragma once

#include "views/DataWindow.h"

#include <functional>

// The window of a list procedure (the Browse... windows): one list panel over the window's own
// file (its list in the order of one key per tab, the buttons that call its form by request, the
// same actions on keys and on a right-click menu, the select button of a lookup), and any other
// panel the window adds. A procedure describes its controls in its constructor and overrides
// only what differs:
//
//   DoctorList()
//       : ListWindow(QStringLiteral("BrowseMEDICOS"), data::FileId::MEDICOS)
//   {
//       setCaption(QStringLiteral("Archivo de Médicos"));
//       setSize(180, 177);
//       addList(QStringLiteral("?BROWSE:1"), { 8, 20, 164, 110 },
//           { { &key("MED:KCODIGO"), views::LocatorKind::Incremental,
//               QStringLiteral("Indice por Nombres") } },
//           { views::fieldColumn(field("MED:NOMBRE"), QStringLiteral("Médicos"), QStringLiteral("@s30"))
//                   .sized(120) });
//       addEditButtons({ 8, 136, 50, 14 }, 57); // "?INSERT:2", "?CHANGE:2", "?DELETE:2"
//       addTabs(QStringLiteral("?CURRENTTAB"), { 4, 4, 172, 152 }, framework::SheetControl::Style::Wizard);
//       setForm(UpdateMEDICOS); // the form procedure, run on this thread
//   }
namespace nidora::views {

class ListWindow : public DataWindow {
public:
    // file: the list's file, opened with its related files through its relation object.
    ListWindow(QString procedureName, data::FileId file);

    // The list's file's keys and fields by their full names; a name the file lacks is a
    // programming error (std::invalid_argument).
    const data::KeyDesc& key(const char* name) const { return panel_.key(name); }
    const data::FieldDesc& field(const char* name) const { return panel_.field(name); }

    // ---- the description of the window's own list (as ListPanel describes it) -----------
    BrowseControl& addList(const QString& name, const framework::DialogRect& at,
        std::vector<SortOrder> orders, std::vector<ListColumn> columns)
    {
        return panel_.addList(name, at, std::move(orders), std::move(columns));
    }
    framework::ButtonControl& addButton(ListButton role, const QString& name, const framework::DialogRect& at,
        const QString& text, const QString& icon = {})
    {
        return panel_.addButton(role, name, at, text, icon);
    }
    void addEditButtons(const framework::DialogRect& first, int step) { panel_.addEditButtons(first, step); }
    framework::SheetControl& addTabs(const QString& name, const framework::DialogRect& at,
        framework::SheetControl::Style style = framework::SheetControl::Style::Tabs)
    {
        return panel_.addTabs(name, at, style);
    }
    void setForm(std::function<void()> form) { panel_.setForm(std::move(form)); }
    void setForms(ListActions::FormCall forms) { panel_.setForms(std::move(forms)); }
    void withoutEditKeys() { panel_.withoutEditKeys(); }
    // Called to choose (request 4), the list opens on the record its caller left in the file's
    // buffer, or on the first one after it, so the user starts near what was typed.
    void openOnTheCallersRecordWhenChoosing() { opensOnCallersRecord_ = true; }
    // The window can be made larger; its list grows with it (ListPanel::followWindowSize).
    void followWindowSize()
    {
        setResizable(true);
        panel_.followWindowSize();
    }

    // ---- acting on the window's own list -------------------------------------------------
    ListPanel& panel() { return panel_; }
    BrowseControl& list() { return panel_.list(); }
    ListActions& actions() { return panel_.actions(); }
    void allow(ListButton role, bool allowed) { panel_.allow(role, allowed); }
    bool enabled(ListButton role) const { return panel_.enabled(role); }
    int act(ListButton role) { return panel_.act(role); }
    void refreshList() { panel_.refresh(); }

protected:
    void onOpened() override;

    // The own list's hooks, as ListPanel::setRowChangedHandler and setRowsReadHandler say.
    virtual void onRowChanged() { }
    virtual void onRowsRead() { }

private:
    ListPanel& panel_;
    bool opensOnCallersRecord_ = false;
};

} // namespace nidora::views
