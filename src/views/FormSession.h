#pragma once

#include "data/RelationObject.h"
#include "framework/Requests.h"

#include <QString>

#include <memory>
#include <utility>

// What a form does with its record, by the request it was called with: its caption and
// buttons, and what OK and Cancel write and answer. The form's window binds its controls to
// the file's record buffer and asks the session what to do when a button is pressed.
//
//   FormSession form(data.relation(FileId::MEDICOS), request, { "Nuevo Registro", ... });
//   setWindowTitle(form.caption());
//   FormStep step = form.ok();           // after the accept-all pass
//   if (step.closes) answer(step.response);
namespace nidora::views {

class FieldHistory;

struct FormCaptions {
    QString insert;
    QString change;
    QString remove;
    QString view = QStringLiteral("View Record");
};

// What follows a button: the form closes with its answer, or stays open (after a failed
// insert with the focus on its first control; after a change that another station's change
// came before, showing the record as it is now stored).
struct FormStep {
    bool closes = false;
    Response response = Cancelled;
    bool focusFirstControl = false;
    bool showStoredRecord = false;

    bool operator==(const FormStep&) const = default;
};

class FormSession {
public:
    static constexpr int kCaptionLength = 39;

    // The record is in the file's buffer already: primed by the list for an insert, loaded for
    // the other requests. A copy of it is kept to tell whether anything was changed.
    // history: the thread's field history, for a form that keeps one; the form takes its own
    // copy of the file's last completed record now.
    FormSession(data::RelationObject& relation, std::uint8_t request, FormCaptions captions,
        FieldHistory* history = nullptr);

    std::uint8_t request() const { return request_; }
    // The caption for the request, at most 39 characters; empty for a request the form has no
    // caption for.
    QString caption() const;
    // Viewing: OK only closes the window, as Cancel does.
    bool okSaves() const
    {
        return request_ == InsertRecord || request_ == ChangeRecord || request_ == DeleteRecord;
    }
    // Whether a field differs from the record as the form opened it.
    bool changed() const;

    // Puts the field's value from the form's history into the buffer; false when the form
    // keeps no history or has nothing in it.
    bool recall(const data::FieldDesc& field);

    // OK, after the accept-all pass for an insert or a change. A change that finds the record
    // changed by another station (message 7) has the buffer hold that station's version; the
    // form shows it and stays open, and a later OK writes only what is then on screen. A form
    // that keeps a history says so with message 8 instead and keeps what was on screen in its
    // history, to be recalled field by field. A completed insert or change leaves its record
    // in the thread's history.
    FormStep ok();
    // What a change writes besides the record, in the same transaction (RelationObject).
    void writeAlongChange(data::RelationObject::Alongside alongside) { alongside_ = std::move(alongside); }
    // Cancel or closing the window: answers 2 without asking; an insert removes the record
    // priming added, and stays open when that fails.
    FormStep cancel();

private:
    FormStep change();
    FormStep remove();
    FormStep completed();

    data::RelationObject& relation_;
    data::AccessObject& access_;
    std::uint8_t request_;
    FormCaptions captions_;
    std::unique_ptr<data::Record> original_;
    FieldHistory* history_;
    std::unique_ptr<data::Record> recalled_; // the form's history; null when it has none
    data::RelationObject::Alongside alongside_;
};

} // namespace nidora::views
