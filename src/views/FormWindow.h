#pragma once

#include "framework/ControlButton.h"
#include "framework/KeyCodes.h"
#include "views/DataWindow.h"
#include "views/FormSession.h"

#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

// The window of a form procedure (the Update... and ...:Ficha windows): controls bound to the
// record buffer of one data file, a caption per request, OK and Cancel. OK on an insert or a
// change first takes every data control once more in window order, then validates the record
// and writes it through the relation object; on a delete it deletes; when viewing it only
// closes. Cancel and the close box answer 2 without asking and undo an insert's priming. A form
// may hold lists of its own (addPanel), a child list showing only the rows of the form's record.
//
//   DoctorForm() : FormWindow("UpdateMEDICOS", FileId::MEDICOS,
//                         { "Nuevo Registro", "Editando Registro", "Borrar Registro?" })
//   {
//       setCaption("Médicos");
//       MEDICOS& doctor = record<MEDICOS>();
//       add<EntryControl>("?MED:NOMBRE", { 80, 10, 120, 10 }, "@s30", entryValue(doctor.NOMBRE));
//       addOk("?OK", { 80, 100, 40, 14 }, "OK", "si.bmp");
//       addCancel("?CANCEL", { 124, 100, 40, 14 }, "Cancelar", "no.bmp");
//   }
namespace nidora::views {

class FormWindow : public DataWindow {
public:
    // file: the form's primary file, whose record in this thread's buffer the form edits; it
    // is opened with its related files through its relation object.
    FormWindow(QString procedureName, data::FileId file, FormCaptions captions);

    // ---- the description ---------------------------------------------------------------
    framework::ButtonControl& addOk(
        const QString& name, const framework::DialogRect& at, const QString& text, const QString& icon = {});
    framework::ButtonControl& addCancel(
        const QString& name, const framework::DialogRect& at, const QString& text, const QString& icon = {});

    // The field history ("Ditto"), the key that message 8 names.
    static constexpr int kHistoryKey = keys::withCtrl(keys::letter('H'));
    // The controls, each named by the field of the form's file it shows ("?ANA:ANALISIS"), in
    // which the history key puts back, as if typed, the field's value in the last record a form
    // of this file completed on this thread; pressed anywhere else, or with nothing to recall,
    // it beeps. Such a form keeps what the user typed in its history when another station's
    // change is shown in its place. A name that is no control of a field of the form's file is
    // a programming error (std::invalid_argument).
    void enableHistory(const QStringList& controls);

    // ---- acting --------------------------------------------------------------------------
    // The session exists from set-up to the end of the procedure.
    FormSession& session() { return *session_; }
    // What OK does: answers what a handler answers (EndLoop when the form closes). A form that
    // writes other records first (notes, photos) does so and then calls this one.
    virtual int ok();
    // What Cancel and the close box do; a form that asks before losing changes overrides it.
    virtual int cancel();

protected:
    bool onSetUp() override;
    void onOpened() override;
    int onAccepted(framework::Control& control) override;
    int onFieldEvent(framework::Control& control, const framework::ThreadEvent& event) override;
    int onWindowEvent(const framework::ThreadEvent& event) override;

private:
    int follow(const FormStep& step);
    int recall(framework::Control& control);

    FormCaptions captions_;
    std::vector<std::pair<framework::Control*, const data::FieldDesc*>> history_;
    framework::ButtonControl* cancel_ = nullptr;
    std::optional<FormSession> session_;
};

} // namespace nidora::views
