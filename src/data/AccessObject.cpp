#include "data/AccessObject.h"

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/FileTransaction.h"
#include "data/Priming.h"
#include "data/RelationObject.h"
#include "data/ScratchCopy.h"

#include <limits>
#include <stdexcept>
#include <utility>

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

// The file's write lock for one operation of this object: its checks and its write then see
// the files as no other station can change them until it ends, so another station's delete,
// rename or numbering comes wholly before or wholly after it. A file already inside a
// transaction (a relation object's change, an insert that numbers) is left to that one.
class AccessObject::WriteLock {
public:
    explicit WriteLock(AccessObject& access)
        : access_(access)
    {
    }
    // Rolls back what was not committed, then shows the notices held meanwhile.
    ~WriteLock()
    {
        if (!transaction_)
            return;
        transaction_->rollback();
        transaction_.reset();
        access_.holding_ = false;
        access_.showHeldMessages();
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    Outcome begin()
    {
        DataFile& file = *access_.file_;
        if (file.transactionOpen())
            return {};
        transaction_.emplace(std::vector<DataFile*> { &file });
        const Outcome begun = transaction_->begin(file.lockWait());
        if (!begun.ok())
            transaction_.reset();
        access_.holding_ = begun.ok();
        return begun;
    }
    Outcome commit() { return transaction_ ? transaction_->commit() : Outcome {}; }

private:
    AccessObject& access_;
    std::optional<FileTransaction> transaction_;
};

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

AccessObject::~AccessObject()
{
    // The copy goes only once nothing has it open.
    file_.reset();
    copy_.reset();
}

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
    if (holding_)
        held_.emplace_back(number, args);
    else
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

void AccessObject::showHeldMessages()
{
    const auto held = std::move(held_);
    held_.clear();
    for (const auto& [number, args] : held)
        errors_.raise(number, args);
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

Outcome AccessObject::addNumbered(RecordRef& ref, AccessResult& read, bool show)
{
    // The highest numbers are read and the record added under one write lock, so that a
    // numbering on another station cannot take the number in between.
    WriteLock lock(*this);
    Outcome added = lock.begin();
    if (!added.ok())
        return added;
    std::int64_t highest = 0;
    read = highestNumber(highest, show);
    if (read != AccessResult::Ok)
        return added;
    const FieldDesc& field = desc_.fields[std::size_t(numberedKey_->components.front())];
    if (highest >= largestNumber(field))
        return Outcome { Status::Error, numberedKey_, 0,
            QStringLiteral("no number above %1 fits %2").arg(highest).arg(field.name) };
    setFieldValue(field, *buffer_, highest + 1);
    added = file_->add(*buffer_, &ref);
    return added.ok() ? lock.commit() : added;
}

AccessResult AccessObject::number(bool show)
{
    int failures = 0;
    for (;;) {
        // Another thread of this station may still take the number between the read and the
        // add; the add then fails on the unique key and the highest number is read again.
        RecordRef ref;
        AccessResult read = AccessResult::Ok;
        const Outcome added = addNumbered(ref, read, show);
        if (read != AccessResult::Ok)
            return read;
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
        lastMessage_ = message::AutoNumberError;
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
    const State before = state();
    AccessResult result = AccessResult::Ok;
    {
        WriteLock lock(*this);
        const Outcome locked = lock.begin();
        if (!locked.ok())
            return reportOutcome(message::InsertError, locked, show);
        // Checked under the lock the write takes: a record that must exist cannot be
        // deleted by another station between the check and the write.
        result = validateRecord(show);
        if (result == AccessResult::Ok)
            result = writeNew(show);
        if (result == AccessResult::Ok) {
            const Outcome committed = lock.commit();
            if (!committed.ok())
                result = reportOutcome(message::InsertError, committed, show);
        }
    }
    if (result != AccessResult::Ok) {
        // The buffer as the form left it, to be corrected and confirmed again.
        restore(before);
        return result;
    }
    numbered_ = false;
    return AccessResult::Ok;
}

AccessResult AccessObject::writeNew(bool show)
{
    if (numberedKey_ && !numbered_)
        return number(show);
    // Over the record priming added, or as a new one where the file numbers nothing.
    RecordRef ref = numberedKey_ ? numberedRef_ : RecordRef {};
    const Outcome written = numberedKey_ ? file_->change(ref, *buffer_) : file_->add(*buffer_, &ref);
    if (written.ok()) {
        wrote(ref);
        return AccessResult::Ok;
    }
    if (written.status == Status::Duplicate && written.key)
        return duplicateKey(written, show);
    return reportOutcome(message::InsertError, written, show);
}

AccessResult AccessObject::duplicateKey(const Outcome& written, bool show)
{
    return report(message::DuplicateKey,
        MessageArgs {
            .message = written.key->description, .errorText = written.text, .errorCode = written.code },
        show);
}

AccessResult AccessObject::changeRecord(bool show, bool showOtherVersion)
{
    if (!requireOpen(show))
        return AccessResult::Failed;
    WriteLock lock(*this);
    const Outcome locked = lock.begin();
    if (!locked.ok())
        return reportOutcome(message::UpdateError, locked, show);
    const AccessResult valid = validateRecord(show);
    if (valid != AccessResult::Ok)
        return valid;
    if (current_.id == 0)
        return report(message::UpdateError,
            MessageArgs { .errorText = QStringLiteral("no record has been read") }, show);

    RecordRef ref = current_;
    Outcome written = file_->change(ref, *buffer_);
    if (written.ok())
        written = lock.commit();
    if (written.ok()) {
        if (numbered_ && numberedRef_.id == ref.id)
            numberedRef_ = ref;
        wrote(ref);
        return AccessResult::Ok;
    }
    if (written.status == Status::Duplicate && written.key)
        return duplicateKey(written, show);
    if (written.status != Status::Changed)
        return reportOutcome(message::UpdateError, written, show);

    const AccessResult result
        = report(showOtherVersion ? message::ChangedElsewhereShown : message::ChangedElsewhere, {}, show);
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

// One record on from the position. In key order the record after it is read too, though not
// taken: a damaged key page shows itself as two records out of order, where a record read alone
// (the first of the file, a record that stands where another should) would look right.
Outcome AccessObject::readStep(Direction direction, Record& record, RecordRef& ref)
{
    if (!order_)
        return file_->step(order_, from_, direction, record, &ref);
    bool found = false;
    const Outcome read
        = file_->page(order_, from_, direction, 2, [&](const RecordRef& row, const Record& stored) {
              if (!std::exchange(found, true)) {
                  ref = row;
                  copyRecord(desc_, stored, record);
              }
          });
    if (read.ok() && !found)
        return Outcome { Status::NotFound, nullptr, 0,
            QStringLiteral("the end of %1 was reached").arg(desc_.label) };
    return read;
}

AccessResult AccessObject::step(Direction direction)
{
    if (!requireOpen(true))
        return AccessResult::Failed;
    auto stored = desc_.makeRecord();
    RecordRef ref;
    Outcome read = readStep(direction, *stored, ref);
    if (!read.ok()) {
        // Keys found damaged and rebuilt: the read goes on from where it stood.
        const int rebuilds = keyRebuilds_;
        const AccessResult told = readFailure(read, true);
        if (keyRebuilds_ == rebuilds || !file_)
            return told;
        read = readStep(direction, *stored, ref);
        if (!read.ok())
            return readFailure(read, true);
    }
    load(ref, *stored);
    from_ = order_ ? file_->positionOf(*order_, *stored, ref.id) : Position { {}, ref.id };
    return AccessResult::Ok;
}

} // namespace nidora::data
