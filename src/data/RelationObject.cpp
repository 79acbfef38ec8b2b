#include "data/RelationObject.h"

#include "core/ErrorManager.h"
#include "data/AccessBuffer.h"
#include "data/Dictionary.h"
#include "data/FileTransaction.h"

#include <algorithm>
#include <stdexcept>

namespace nidora::data {

namespace message = core::message;

using core::Answer;
using core::MessageArgs;

namespace {

// Puts an access object's buffer and record state back when it goes out of scope.
class KeepState {
public:
    explicit KeepState(AccessObject& access)
        : access_(access)
        , state_(access.state())
    {
    }
    ~KeepState() { access_.restore(state_); }
    KeepState(const KeepState&) = delete;
    KeepState& operator=(const KeepState&) = delete;

private:
    AccessObject& access_;
    AccessObject::State state_;
};

const FieldDesc& fieldNamed(const FileDesc& file, const char* name)
{
    const FieldDesc* field = file.field(QString::fromUtf8(name));
    if (!field)
        throw std::logic_error(std::string(name) + " is not a field of " + file.label.toStdString());
    return *field;
}

bool allBlank(const std::vector<FieldValue>& values)
{
    return std::all_of(values.begin(), values.end(), [](const FieldValue& v) { return isBlankValue(v); });
}

void addOnce(std::vector<RelationObject*>& files, RelationObject* file, bool& added)
{
    added = std::find(files.begin(), files.end(), file) == files.end();
    if (added)
        files.push_back(file);
}

// Rows read per page while the children of a record are collected.
constexpr int kChildPage = 256;

} // namespace

RelationObject::RelationObject(AccessObject& access)
    : access_(access)
{
}

const std::vector<RelationObject::Relation>& RelationObject::relations()
{
    if (relations_)
        return *relations_;
    auto registered = std::make_unique<std::vector<Relation>>();
    Dictionary& dictionary = access_.dictionary();
    for (const RelationSpec& spec : relationSpecs(access_.id())) {
        Relation relation { &dictionary.relation(spec.other), &spec, nullptr, {} };
        if (!spec.parentEntry) {
            const FileDesc& child = relation.other->access().desc();
            relation.childKey = &relation.other->access().key(spec.childKey);
            for (std::size_t k = 0; k < spec.links.size(); ++k) {
                const FieldDesc& childField = fieldNamed(child, spec.links[k].childField);
                // Children are found by the key's leading components, so the links must be them.
                if (k >= relation.childKey->components.size()
                    || &child.fields[std::size_t(relation.childKey->components[k])] != &childField)
                    throw std::logic_error(
                        std::string(spec.childKey) + " does not lead with the linking fields");
                relation.links.emplace_back(
                    &fieldNamed(access_.desc(), spec.links[k].parentField), &childField);
            }
        }
        registered->push_back(std::move(relation));
    }
    relations_ = std::move(registered);
    return *relations_;
}

// ---- the files involved ---------------------------------------------------------------------

void RelationObject::reachable(Files& files)
{
    bool added = false;
    addOnce(files, this, added);
    if (!added)
        return;
    for (const Relation& relation : relations())
        relation.other->reachable(files);
}

void RelationObject::changeSet(Files& files)
{
    bool added = false;
    addOnce(files, this, added);
    if (!added)
        return;
    for (const Relation& relation : relations()) {
        if (!relation.spec->parentEntry
            && (relation.spec->onChange == Rule::Cascade || relation.spec->onChange == Rule::Clear))
            relation.other->changeSet(files);
    }
}

void RelationObject::deleteSet(Files& files)
{
    bool added = false;
    addOnce(files, this, added);
    if (!added)
        return;
    for (const Relation& relation : relations()) {
        if (relation.spec->parentEntry)
            continue;
        // A cleared child is written through its own change, so its update rules come in.
        if (relation.spec->onDelete == Rule::Cascade)
            relation.other->deleteSet(files);
        else if (relation.spec->onDelete == Rule::Clear)
            relation.other->changeSet(files);
    }
}

namespace {
std::vector<FileId> idsOf(const std::vector<RelationObject*>& files)
{
    std::vector<FileId> ids;
    for (RelationObject* file : files)
        ids.push_back(file->access().id());
    return ids;
}
} // namespace

std::vector<FileId> RelationObject::changeFiles()
{
    Files files;
    changeSet(files);
    return idsOf(files);
}

std::vector<FileId> RelationObject::deleteFiles()
{
    Files files;
    deleteSet(files);
    return idsOf(files);
}

// ---- opening --------------------------------------------------------------------------------

AccessResult RelationObject::open(bool withRelated)
{
    Files files;
    if (withRelated)
        reachable(files);
    else
        files.push_back(this);
    for (std::size_t k = 0; k < files.size(); ++k) {
        const AccessResult opened = files[k]->access().open();
        if (opened != AccessResult::Ok) {
            while (k > 0)
                files[--k]->access().close();
            return opened;
        }
    }
    return AccessResult::Ok;
}

void RelationObject::close(bool withRelated)
{
    Files files;
    if (withRelated)
        reachable(files);
    else
        files.push_back(this);
    for (RelationObject* file : files)
        file->access().close();
}

// ---- transactions ---------------------------------------------------------------------------

RelationObject::Step RelationObject::stepOf(AccessResult result)
{
    switch (result) {
    case AccessResult::Ok:
        return Step::Done;
    case AccessResult::Fatal:
        return Step::Fatal;
    default:
        return Step::Failed;
    }
}

RelationObject::Step RelationObject::transact(
    const Files& files, const std::function<Step()>& work, int writeMessage)
{
    std::size_t opened = 0;
    Step step = Step::Done;
    for (; opened < files.size(); ++opened) {
        step = stepOf(files[opened]->access().open());
        if (step != Step::Done)
            break;
    }
    if (step == Step::Done) {
        std::vector<DataFile*> dataFiles;
        for (RelationObject* file : files)
            dataFiles.push_back(file->access().file());
        FileTransaction transaction(dataFiles);
        const Outcome begun = transaction.begin(transactionLimit_);
        if (!begun.ok()) {
            step = stepOf(access_.reportOutcome(message::TransactionError, begun, true));
        } else {
            step = work();
            if (step == Step::Done) {
                const Outcome committed = transaction.commit();
                if (!committed.ok())
                    step = stepOf(access_.reportOutcome(writeMessage, committed, true));
            }
            transaction.rollback();
        }
        // Damage a write met inside the transaction can be examined only now.
        for (RelationObject* file : files) {
            if (file->access().mendDamage() == AccessResult::Fatal)
                step = Step::Fatal;
        }
    }
    while (opened > 0)
        files[--opened]->access().close();
    return step;
}

std::vector<FieldValue> RelationObject::linkValues(const Relation& relation, const Record& parent)
{
    std::vector<FieldValue> values;
    for (const auto& [parentField, childField] : relation.links)
        values.push_back(fieldValue(*parentField, parent));
    return values;
}

Outcome RelationObject::children(const Relation& relation, const std::vector<FieldValue>& values,
    std::size_t limit, std::vector<Child>& found)
{
    DataFile& file = *relation.other->access().file();
    const FileDesc& desc = file.desc();
    Position from { values, 0 };
    for (;;) {
        bool past = false;
        int rows = 0;
        RecordRef lastRef;
        const Record* last = nullptr;
        const Outcome read = file.page(relation.childKey, from, Direction::Forward, kChildPage,
            [&](const RecordRef& ref, const Record& record) {
                ++rows;
                if (past || (limit != 0 && found.size() >= limit))
                    return;
                for (std::size_t k = 0; k < relation.links.size(); ++k) {
                    const FieldDesc& childField = *relation.links[k].second;
                    if (!sameKeyValue(childField, fieldValue(childField, record), values[k])) {
                        past = true;
                        return;
                    }
                }
                found.push_back(Child { ref, cloneRecord(desc, record) });
                lastRef = ref;
                last = found.back().record.get();
            });
        if (!read.ok() || past || rows < kChildPage || (limit != 0 && found.size() >= limit) || !last)
            return read;
        from = file.positionOf(*relation.childKey, *last, lastRef.id);
    }
}

// ---- change ---------------------------------------------------------------------------------

AccessResult RelationObject::change(bool showOtherVersion, const Alongside& alongside)
{
    if (!access_.isOpen())
        return access_.report(message::FileNotOpen, {}, true);
    Files files;
    changeSet(files);
    const AccessObject::State before = access_.state();
    bool written = false;
    const Step step = transact(
        files,
        [this, &written, showOtherVersion, &alongside] {
            return changeWithin(&written, showOtherVersion, alongside);
        },
        28);
    if (step == Step::Done)
        return AccessResult::Ok;
    // Rolled back after the record itself was written: the disk holds the record as read
    // before, and so must the access object. The buffer keeps the user's values (refused
    // linking fields already put back). A write that failed has set the state itself.
    if (written)
        access_.restore(before, false);
    return step == Step::Fatal ? AccessResult::Fatal : AccessResult::Failed;
}

RelationObject::Step RelationObject::changeWithin(
    bool* written, bool showOtherVersion, const Alongside& alongside)
{
    const auto oldParent = cloneRecord(access_.desc(), access_.asRead());
    if (alongside.before)
        if (const Step made = stepOf(alongside.before()); made != Step::Done)
            return made;
    const Step write = stepOf(access_.change(showOtherVersion));
    if (write != Step::Done)
        return write;
    if (written)
        *written = true;
    for (const Relation& relation : relations()) {
        if (relation.spec->parentEntry || relation.spec->onChange == Rule::None)
            continue;
        const Step step = changeChildren(relation, *oldParent);
        if (step != Step::Done)
            return step;
    }
    return alongside.after ? stepOf(alongside.after()) : Step::Done;
}

RelationObject::Step RelationObject::changeChildren(const Relation& relation, const Record& oldParent)
{
    const std::vector<FieldValue> oldValues = linkValues(relation, oldParent);
    const std::vector<FieldValue> newValues = linkValues(relation, access_.buffer());
    bool changed = false;
    for (std::size_t k = 0; k < relation.links.size(); ++k)
        changed = changed || !sameStoredValue(*relation.links[k].first, oldValues[k], newValues[k]);
    // Blank linking values link nothing: a provider without a name is not the provider of
    // every patient who has none.
    if (!changed || allBlank(oldValues))
        return Step::Done;

    std::vector<Child> found;
    if (relation.spec->onChange == Rule::Restrict) {
        const Outcome read = children(relation, oldValues, 1, found);
        if (!read.ok())
            return stepOf(relation.other->access().reportOutcome(message::RetrievalError, read, true));
        if (found.empty())
            return Step::Done;
        for (std::size_t k = 0; k < relation.links.size(); ++k)
            setFieldValue(*relation.links[k].first, access_.buffer(), oldValues[k]);
        // %File names the child file that holds the references.
        relation.other->access().report(message::RestrictedUpdate, {}, true);
        return Step::Refused;
    }

    std::vector<FieldSetting> set;
    for (std::size_t k = 0; k < relation.links.size(); ++k) {
        const FieldDesc& childField = *relation.links[k].second;
        set.push_back(
            { &childField, relation.spec->onChange == Rule::Clear ? blankValue(childField) : newValues[k] });
    }
    if (const std::optional<Step> all = relation.other->changeAll(relation, oldValues, set))
        return *all;
    const Outcome read = children(relation, oldValues, 0, found);
    if (!read.ok())
        return stepOf(relation.other->access().reportOutcome(message::RetrievalError, read, true));
    AccessObject& child = relation.other->access();
    KeepState keep(child);
    for (Child& record : found) {
        child.load(record.ref, *record.record);
        for (const FieldSetting& setting : set)
            setFieldValue(*setting.field, child.buffer(), setting.value);
        const Step step = relation.other->changeWithin();
        if (step != Step::Done)
            return step;
    }
    return Step::Done;
}

bool RelationObject::carriesOn(const std::vector<FieldSetting>& set)
{
    for (const Relation& own : relations()) {
        if (own.spec->parentEntry || own.spec->onChange == Rule::None)
            continue;
        for (const auto& [parentField, childField] : own.links) {
            for (const FieldSetting& setting : set) {
                if (setting.field == parentField)
                    return true;
            }
        }
    }
    return false;
}

std::optional<RelationObject::Step> RelationObject::changeAll(
    const Relation& asChild, const std::vector<FieldValue>& values, const std::vector<FieldSetting>& set)
{
    DataFile& file = *access_.file();
    if (!file.setBased() || carriesOn(set))
        return std::nullopt;
    const Outcome changed = file.changeAll(*asChild.childKey, values, set);
    // A unique key refusing the change: record by record finds the record it would repeat,
    // which the message names, as a change of that record alone would.
    if (changed.status == Status::Duplicate)
        return std::nullopt;
    if (!changed.ok())
        return stepOf(access_.reportOutcome(message::UpdateError, changed, true));
    return Step::Done;
}

std::optional<RelationObject::Step> RelationObject::removeAll(
    const Relation& asChild, const std::vector<FieldValue>& values)
{
    DataFile& file = *access_.file();
    if (!file.setBased())
        return std::nullopt;
    for (const Relation& own : relations()) {
        if (!own.spec->parentEntry && own.spec->onDelete != Rule::None)
            return std::nullopt;
    }
    const Outcome removed = file.removeAll(*asChild.childKey, values);
    if (!removed.ok())
        return stepOf(access_.reportOutcome(message::DeleteError, removed, true));
    return Step::Done;
}

// ---- delete ---------------------------------------------------------------------------------

AccessResult RelationObject::deleteRecord(bool askFirst)
{
    if (!access_.isOpen())
        return access_.report(message::FileNotOpen, {}, true);
    if (askFirst
        && access_.errors().raise(message::ConfirmDelete, MessageArgs { .file = access_.desc().label })
            != Answer::Yes)
        return AccessResult::Cancelled;
    Files files;
    deleteSet(files);
    for (;;) {
        const AccessObject::State before = access_.state();
        const Step step = transact(
            files, [this] { return deleteWithin(); }, 13);
        if (step == Step::Done)
            return AccessResult::Ok;
        access_.restore(before);
        if (step == Step::Fatal)
            return AccessResult::Fatal;
        // A refusal is an answer, not an error: trying again would be refused again.
        if (step == Step::Refused)
            return AccessResult::Failed;
        if (access_.errors().raise(message::RetryDelete, MessageArgs { .file = access_.desc().label })
            != Answer::Yes)
            return AccessResult::Failed;
    }
}

RelationObject::Step RelationObject::deleteWithin()
{
    for (const Relation& relation : relations()) {
        if (relation.spec->parentEntry || relation.spec->onDelete == Rule::None)
            continue;
        const Step step = deleteChildren(relation);
        if (step != Step::Done)
            return step;
    }
    return stepOf(access_.deleteRecord(false));
}

RelationObject::Step RelationObject::deleteChildren(const Relation& relation)
{
    const std::vector<FieldValue> values = linkValues(relation, access_.asRead());
    if (allBlank(values))
        return Step::Done;
    std::vector<Child> found;
    AccessObject& child = relation.other->access();
    if (relation.spec->onDelete == Rule::Restrict) {
        const Outcome read = children(relation, values, 1, found);
        if (!read.ok())
            return stepOf(child.reportOutcome(message::RetrievalError, read, true));
        if (found.empty())
            return Step::Done;
        child.report(message::RestrictedDelete, {}, true);
        return Step::Refused;
    }
    if (relation.spec->onDelete == Rule::Cascade) {
        if (const std::optional<Step> all = relation.other->removeAll(relation, values))
            return *all;
    }
    const Outcome read = children(relation, values, 0, found);
    if (!read.ok())
        return stepOf(child.reportOutcome(message::RetrievalError, read, true));

    KeepState keep(child);
    for (Child& record : found) {
        child.load(record.ref, *record.record);
        Step step;
        if (relation.spec->onDelete == Rule::Clear) {
            for (const auto& [parentField, childField] : relation.links)
                blankField(*childField, child.buffer());
            step = relation.other->changeWithin();
        } else {
            step = relation.other->deleteWithin();
        }
        if (step != Step::Done)
            return step;
    }
    return Step::Done;
}

// ---- cancelled inserts ----------------------------------------------------------------------

AccessResult RelationObject::cancelNumbering()
{
    if (!access_.numbered())
        return AccessResult::Ok;
    const FileDesc& desc = access_.desc();
    const auto edited = cloneRecord(desc, access_.buffer());
    auto primed = desc.makeRecord();
    RecordRef ref;
    AccessResult result = AccessResult::Ok;
    DataFile* file = access_.file();
    if (file && file->read(access_.numberedRecord().id, *primed, &ref).ok()) {
        access_.load(ref, *primed);
        result = deleteRecord(false);
    }
    AccessObject::State after = access_.state();
    copyRecord(desc, *edited, *after.buffer);
    // Only a delete that went through lets go of the primed record: after a failed one it is
    // still on file, so a second Cancel must try again and OK must write over it rather
    // than number another.
    if (result == AccessResult::Ok) {
        after.numbered = false;
        after.numberedRef = {};
    }
    access_.restore(after);
    return result;
}

} // namespace nidora::data
