#include "data/AccessObject.h"

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/Priming.h"
#include "data/RelationObject.h"

#include <limits>
#include <stdexcept>

namespace nidora::data {

namespace message = core::message;

using core::Answer;
using core::MessageArgs;

namespace {

const KeyDesc* findNumberedKey(const FileDesc& file)
{
    for (const KeyDesc& key : file.keys) {
        if (key.autoNumber)
            return &key;
    }
    return nullptr;
}

// The largest number a numbered key's field can hold: once it is given out there is no
// further number, and storing one more would wrap to 0, a blank key.
std::int64_t largestNumber(const FieldDesc& field)
{
    switch (field.type) {
    case FieldType::Byte:
        return std::numeric_limits<std::uint8_t>::max();
    case FieldType::Short:
        return std::numeric_limits<std::int16_t>::max();
    default:
        return std::numeric_limits<std::int32_t>::max();
    }
}

} // namespace

AccessObject::AccessObject(const FileDesc& file, Dictionary& dictionary, core::ErrorManager& errors)
    : desc_(file)
    , id_(FileId(&file - catalogue().data()))
    , dictionary_(dictionary)
    , errors_(errors)
    , numberedKey_(findNumberedKey(file))
    , buffer_(file.makeRecord())
    , asRead_(file.makeRecord())
{
}

AccessObject::~AccessObject() = default;

const KeyDesc& AccessObject::key(const char* name) const
{
    const KeyDesc* found = desc_.key(QString::fromUtf8(name));
    if (!found)
        throw std::invalid_argument(std::string(name) + " is not a key of " + desc_.label.toStdString());
    return *found;
}

bool AccessObject::readOnly() const
{
    return file_ && file_->readOnly();
}

// ---- messages -------------------------------------------------------------------------------

AccessResult AccessObject::report(int number, MessageArgs args, bool show)
{
    args.file = desc_.label;
    if (!show) {
        errors_.setLastError({ 0, args.errorCode, args.errorText, args.file, args.field, args.key });
        return AccessResult::Failed;
    }
    lastMessage_ = number;
    const core::RecordMessage* message = core::findRecordMessage(number);
    errors_.raise(number, args);
    // A fatal message's end action does not come back in the program; should it come back
    // (a test watching for it), the operation has failed for good.
    return message && message->level == core::MessageLevel::Fatal ? AccessResult::Fatal
                                                                  : AccessResult::Failed;
}

MessageArgs AccessObject::errorArgs(const Outcome& outcome)
{
    return MessageArgs { .errorText = outcome.text, .errorCode = outcome.code };
}

AccessResult AccessObject::reportOutcome(int number, const Outcome& outcome, bool show)
{
    if (show && file_ && outcome.damaged())
        return damaged(number, outcome);
    return report(number, errorArgs(outcome), show);
}

bool AccessObject::requireOpen(bool show)
{
    if (file_)
        return mendDamage() != AccessResult::Fatal;
    report(message::FileNotOpen, {}, show);
    return false;
}

// ---- buffer state ---------------------------------------------------------------------------

void AccessObject::load(const RecordRef& ref, const Record& stored)
{
    copyRecord(desc_, stored, *buffer_);
    copyRecord(desc_, stored, *asRead_);
    current_ = ref;
}

void AccessObject::wrote(const RecordRef& ref)
{
    current_ = ref;
    copyRecord(desc_, *buffer_, *asRead_);
}

AccessObject::State AccessObject::state() const
{
    return State { cloneRecord(desc_, *buffer_), cloneRecord(desc_, *asRead_), current_, numbered_,
        numberedRef_ };
}

void AccessObject::restore(const State& state, bool withBuffer)
{
    if (withBuffer)
        copyRecord(desc_, *state.buffer, *buffer_);
    copyRecord(desc_, *state.asRead, *asRead_);
    current_ = state.current;
    numbered_ = state.numbered;
    numberedRef_ = state.numberedRef;
}

void AccessObject::saveBuffer()
{
    saved_ = state();
}

void AccessObject::restoreBuffer()
{
    if (saved_)
        restore(*saved_);
}

// ---- priming and numbering ------------------------------------------------------------------

AccessResult AccessObject::prime(bool keepBuffer)
{
    if (!requireOpen(true))
        return AccessResult::Failed;
    if (!keepBuffer)
        clearRecord(desc_, *buffer_);
    setInitialValues(id_, *buffer_);
    current_ = {};
    clearRecord(desc_, *asRead_);
    if (!numberedKey_)
        return AccessResult::Ok;
    numbered_ = false;
    return number(true);
}

AccessResult AccessObject::highestNumber(std::int64_t& highest, bool show)
{
    highest = 0;
    Outcome read = file_->highest(*numberedKey_, highest);
    if (read.status == Status::NotFound)
        highest = 0;
    else if (!read.ok())
        return reportOutcome(message::RetrievalError, read, show);

    const auto elsewhere = numbersHeldElsewhere(id_);
    if (!elsewhere)
        return AccessResult::Ok;
    AccessObject& other = dictionary_.access(elsewhere->file);
    const AccessResult opened = other.open();
    if (opened != AccessResult::Ok)
        return opened;
    std::int64_t held = 0;
    read = other.file()->highest(other.key(elsewhere->key), held);
    other.close();
    if (read.status == Status::NotFound)
        return AccessResult::Ok;
    if (!read.ok())
        return reportOutcome(message::RetrievalError, read, show);
    highest = std::max(highest, held);
    return AccessResult::Ok;
}

AccessResult AccessObject::number(bool show)
{
    const FieldDesc& field = desc_.fields[std::size_t(numberedKey_->components.front())];
    int failures = 0;
    for (;;) {
        std::int64_t highest = 0;
        const AccessResult read = highestNumber(highest, show);
        if (read != AccessResult::Ok)
            return read;

        // Another thread or station may take the number between the read and the add; the
        // add then fails on the unique key and the highest number is read again.
        Outcome added;
        RecordRef ref;
        if (highest >= largestNumber(field)) {
            added = Outcome { Status::Error, numberedKey_, 0,
                QStringLiteral("no number above %1 fits %2").arg(highest).arg(field.name) };
        } else {
            setFieldValue(field, *buffer_, highest + 1);
            added = file_->add(*buffer_, &ref);
        }
        if (added.ok()) {
            wrote(ref);
            numbered_ = true;
            numberedRef_ = ref;
            return AccessResult::Ok;
        }
        // A damaged file refuses every attempt alike: it is examined, not numbered again.
        if (added.damaged())
            return reportOutcome(message::InsertError, added, show);
        if (++failures < 3)
            continue;
        const KeyDesc& failing = added.key ? *added.key : *numberedKey_;
        const MessageArgs args {
            .key = failing.description, .errorText = added.text, .errorCode = added.code
        };
        if (!show)
            return report(message::AutoNumberError, args, false);
        lastMessage_ = 35;
        MessageArgs shown = args;
        shown.file = desc_.label;
        if (errors_.raise(message::AutoNumberError, shown) != Answer::Yes)
            return AccessResult::Failed;
        failures = 0;
    }
}

AccessResult AccessObject::cancelNumbering()
{
    if (!numbered_)
        return AccessResult::Ok;
    return dictionary_.relation(id_).cancelNumbering();
}

// ---- writing --------------------------------------------------------------------------------

AccessResult AccessObject::insertRecord(bool show)
{
    if (!requireOpen(show))
        return AccessResult::Failed;
    const AccessResult valid = validateRecord(show);
    if (valid != AccessResult::Ok)
        return valid;

    Outcome written;
    if (numberedKey_ && !numbered_) {
        const AccessResult numberedNow = number(show);
        if (numberedNow == AccessResult::Ok)
            numbered_ = false;
        return numberedNow;
    }
    if (numberedKey_) {
        RecordRef ref = numberedRef_;
        written = file_->change(ref, *buffer_);
        if (written.ok())
            wrote(ref);
    } else {
        RecordRef ref;
        written = file_->add(*buffer_, &ref);
        if (written.ok())
            wrote(ref);
    }
    if (written.ok()) {
        numbered_ = false;
        return AccessResult::Ok;
    }
    if (written.status == Status::Duplicate && written.key)
        return report(message::DuplicateKey,
            MessageArgs {
                .message = written.key->description, .errorText = written.text, .errorCode = written.code },
            show);
    return reportOutcome(message::InsertError, written, show);
}

AccessResult AccessObject::changeRecord(bool show, bool showOtherVersion)
{
    if (!requireOpen(show))
        return AccessResult::Failed;
    const AccessResult valid = validateRecord(show);
    if (valid != AccessResult::Ok)
        return valid;
    if (current_.id == 0)
        return report(message::UpdateError,
            MessageArgs { .errorText = QStringLiteral("no record has been read") }, show);

    RecordRef ref = current_;
    const Outcome written = file_->change(ref, *buffer_);
    if (written.ok()) {
        if (numbered_ && numberedRef_.id == ref.id)
            numberedRef_ = ref;
        wrote(ref);
        return AccessResult::Ok;
    }
    if (written.status != Status::Changed)
        return reportOutcome(message::UpdateError, written, show);

    const AccessResult result = report(showOtherVersion ? 8 : 7, {}, show);
    auto stored = desc_.makeRecord();
    RecordRef reread;
    if (file_->read(current_.id, *stored, &reread).ok())
        load(reread, *stored);
    return result;
}

AccessResult AccessObject::deleteRecord(bool askFirst)
{
    if (!requireOpen(true))
        return AccessResult::Failed;
    if (askFirst) {
        lastMessage_ = 11;
        if (errors_.raise(message::ConfirmDelete, MessageArgs { .file = desc_.label }) != Answer::Yes)
            return AccessResult::Cancelled;
    }
    if (current_.id == 0)
        return report(message::DeleteError,
            MessageArgs { .errorText = QStringLiteral("no record has been read") }, true);
    const Outcome removed = file_->remove(current_.id);
    if (!removed.ok())
        return reportOutcome(message::DeleteError, removed, true);
    if (numbered_ && numberedRef_.id == current_.id)
        numbered_ = false;
    current_ = {};
    return AccessResult::Ok;
}

// ---- reading --------------------------------------------------------------------------------

AccessResult AccessObject::readFailure(const Outcome& outcome, bool show)
{
    if (outcome.status == Status::NotFound) {
        if (!show)
            errors_.setLastError({ 0, outcome.code, outcome.text, desc_.label, {}, {} });
        return AccessResult::NotFound;
    }
    // A record another station holds: the read waited for it in vain.
    if (outcome.status == Status::Locked)
        return reportOutcome(message::RecordHeld, outcome, show);
    return reportOutcome(message::RetrievalError, outcome, show);
}

AccessResult AccessObject::fetchRecord(const KeyDesc& key, bool show)
{
    if (!requireOpen(show))
        return AccessResult::Failed;
    auto stored = desc_.makeRecord();
    RecordRef ref;
    const Outcome read = file_->fetch(key, keyComponents(desc_, key, *buffer_), *stored, &ref);
    if (!read.ok())
        return readFailure(read, show);
    load(ref, *stored);
    return AccessResult::Ok;
}

void AccessObject::setOrder(const KeyDesc* key, bool fromBuffer)
{
    order_ = key;
    from_ = Position {};
    if (key && fromBuffer)
        from_.values = keyComponents(desc_, *key, *buffer_);
}

AccessResult AccessObject::step(Direction direction)
{
    if (!requireOpen(true))
        return AccessResult::Failed;
    auto stored = desc_.makeRecord();
    RecordRef ref;
    const Outcome read = file_->step(order_, from_, direction, *stored, &ref);
    if (!read.ok())
        return readFailure(read, true);
    load(ref, *stored);
    from_ = order_ ? file_->positionOf(*order_, *stored, ref.id) : Position { {}, ref.id };
    return AccessResult::Ok;
}

} // namespace nidora::data
