#include "views/FormSession.h"

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "views/FieldHistory.h"

#include <algorithm>

namespace nidora::views {
namespace {

using data::AccessResult;

constexpr FormStep kStay {};
constexpr FormStep closing(Response response)
{
    return FormStep { true, response, false };
}

bool sameElements(const data::FieldDesc& field, const data::Record& a, const data::Record& b)
{
    for (int i = 0; i < std::max(field.dim1, 1); ++i) {
        for (int j = 0; j < std::max(field.dim2, 1); ++j) {
            if (!data::sameStoredValue(field, field.get(a, i, j), field.get(b, i, j)))
                return false;
        }
    }
    return true;
}

} // namespace

FormSession::FormSession(
    data::RelationObject& relation, std::uint8_t request, FormCaptions captions, FieldHistory* history)
    : relation_(relation)
    , access_(relation.access())
    , request_(request)
    , captions_(std::move(captions))
    , original_(data::cloneRecord(access_.desc(), access_.buffer()))
    , history_(history)
{
    if (const data::Record* last = history_ ? history_->last(access_.id()) : nullptr)
        recalled_ = data::cloneRecord(access_.desc(), *last);
}

QString FormSession::caption() const
{
    switch (request_) {
    case InsertRecord:
        return captions_.insert.left(kCaptionLength);
    case ChangeRecord:
        return captions_.change.left(kCaptionLength);
    case DeleteRecord:
        return captions_.remove.left(kCaptionLength);
    case ViewRecord:
        return captions_.view.left(kCaptionLength);
    default:
        return {};
    }
}

bool FormSession::changed() const
{
    const data::FileDesc& file = access_.desc();
    const auto same = [&](const data::FieldDesc& field) {
        return field.type == data::FieldType::Group || sameElements(field, *original_, access_.buffer());
    };
    return !std::all_of(file.fields.begin(), file.fields.end(), same)
        || !std::all_of(file.memos.begin(), file.memos.end(), same);
}

bool FormSession::recall(const data::FieldDesc& field)
{
    if (!recalled_)
        return false;
    data::copyField(field, *recalled_, access_.buffer());
    return true;
}

FormStep FormSession::completed()
{
    if (history_)
        history_->keep(access_.id(), access_.buffer());
    return closing(Completed);
}

FormStep FormSession::ok()
{
    switch (request_) {
    case InsertRecord:
        switch (access_.insert()) {
        case AccessResult::Ok:
            return completed();
        case AccessResult::Fatal:
            return closing(Cancelled);
        default:
            return FormStep { false, Cancelled, true };
        }
    case ChangeRecord:
        return change();
    case DeleteRecord:
        return remove();
    default:
        return closing(Cancelled);
    }
}

FormStep FormSession::change()
{
    // Nothing changed: nothing is written, and the form still completes.
    if (!changed())
        return completed();
    core::ErrorManager& errors = access_.errors();
    for (;;) {
        errors.setLastError({});
        // What is on screen, which the stored version is about to replace in the buffer.
        std::unique_ptr<data::Record> typed
            = history_ ? data::cloneRecord(access_.desc(), access_.buffer()) : nullptr;
        const AccessResult result = relation_.change(history_ != nullptr, alongside_);
        if (result == AccessResult::Ok)
            return completed();
        if (result == AccessResult::Fatal)
            return closing(Cancelled);
        const int shown = errors.lastError().messageNumber;
        if (shown == core::message::ChangedElsewhere || shown == core::message::ChangedElsewhereShown) {
            // Trying again would write the other station's version back as if it were ours,
            // and staying with our values on screen would later write them over theirs
            // unseen: the form shows what is stored now and counts changes from there. What
            // the user typed is one key away in the form's history.
            original_ = data::cloneRecord(access_.desc(), access_.buffer());
            if (typed)
                recalled_ = std::move(typed);
            return FormStep { false, Cancelled, false, true };
        }
        switch (errors.raiseWithCancel(core::message::RetryUpdate, { .file = access_.desc().label })) {
        case core::Answer::Yes:
            continue;
        case core::Answer::No:
            return closing(Cancelled);
        default:
            return kStay;
        }
    }
}

FormStep FormSession::remove()
{
    switch (relation_.deleteRecord(false)) {
    case AccessResult::Ok:
        return closing(Completed);
    case AccessResult::Failed:
        // The relation object has already offered to try again (message 36) and was told
        // No, unless the rules refused the delete (message 33), which no retry would change:
        // then the user reads the refusal and stays in the form.
        if (access_.errors().lastError().messageNumber == core::message::RestrictedDelete)
            return kStay;
        return closing(Cancelled);
    case AccessResult::Cancelled:
        return kStay;
    default:
        return closing(Cancelled);
    }
}

FormStep FormSession::cancel()
{
    if (request_ == InsertRecord && access_.numbered() && access_.cancelNumbering() != AccessResult::Ok)
        return kStay;
    return closing(Cancelled);
}

} // namespace nidora::views
