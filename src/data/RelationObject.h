#pragma once

#include "data/AccessObject.h"
#include "data/RelationRules.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One thread's rules between one data file and the files related to it. Changes and deletes
// go through here: the parent and every child the rules reach are written inside one
// transaction over all the files involved, rolled back whole on any failure, so no half-done
// cascade stays on disk. The children are read into the child files' buffers of this thread,
// which are put back afterwards: a form editing one of them keeps its record.
namespace nidora::data {

class RelationObject {
public:
    // How long a change or delete waits by default for the files it needs (message 24 after
    // that).
    static constexpr std::chrono::seconds kTransactionLimit { 2 };

    explicit RelationObject(AccessObject& access);
    RelationObject(const RelationObject&) = delete;
    RelationObject& operator=(const RelationObject&) = delete;

    AccessObject& access() { return access_; }

    std::chrono::milliseconds transactionLimit() const { return transactionLimit_; }
    void setTransactionLimit(std::chrono::milliseconds limit) { transactionLimit_ = limit; }

    // Opens the file and, when asked, every file reached through its relations of either
    // kind, recursively, each once. A file that cannot be opened closes what was opened.
    AccessResult open(bool withRelated = true);
    void close(bool withRelated = true);

    // What a change writes besides the record, in its transaction: `before` once the files are
    // locked, just ahead of the record's write (to make room for a new key), `after` once the
    // record and its children are written. Either failing (it tells the user why) rolls the
    // whole change back.
    struct Alongside {
        std::function<AccessResult()> before;
        std::function<AccessResult()> after;
    };

    // Writes the changed record in the buffer; changed linking fields are carried to the
    // children, blank them or are refused (message 34, the old values back in the buffer).
    // A record another station changed meanwhile is read again into the buffer, with message 7,
    // or 8 when the caller keeps what was typed to recall it (showOtherVersion).
    AccessResult change(bool showOtherVersion = false, const Alongside& alongside = {});
    // Deletes the record last read with its children as the rules say; Cancelled when the
    // confirmation (message 11) is answered No. A failure offers to try again (message 36).
    AccessResult deleteRecord(bool askFirst = false);
    // Deletes the record that priming added, as a delete without asking.
    AccessResult cancelNumbering();

    // The files a change or delete of this file writes to, this file first (at most
    // FileTransaction::kMaxFiles).
    std::vector<FileId> changeFiles();
    std::vector<FileId> deleteFiles();

private:
    struct Relation {
        RelationObject* other;
        const RelationSpec* spec;
        const KeyDesc* childKey; // null for a parent entry
        std::vector<std::pair<const FieldDesc*, const FieldDesc*>> links; // parent field, child field
    };
    enum class Step { Done, Refused, Failed, Fatal };
    using Files = std::vector<RelationObject*>;

    const std::vector<Relation>& relations();
    void reachable(Files& files);
    void changeSet(Files& files);
    void deleteSet(Files& files);

    Step transact(const Files& files, const std::function<Step()>& work, int writeMessage);
    // written: set once the record itself is written (and a rollback must undo it).
    Step changeWithin(
        bool* written = nullptr, bool showOtherVersion = false, const Alongside& alongside = {});
    Step deleteWithin();
    Step changeChildren(const Relation& relation, const Record& oldParent);
    Step deleteChildren(const Relation& relation);

    // A cascade over this file as a child, in one statement rather than record by record,
    // where nothing further hangs on what it writes: no rule of this file's own carries the
    // fields set on (changeAll), or this file has no children to delete with its records
    // (removeAll). nullopt: it has to go record by record.
    bool carriesOn(const std::vector<FieldSetting>& set);
    std::optional<Step> changeAll(
        const Relation& asChild, const std::vector<FieldValue>& values, const std::vector<FieldSetting>& set);
    std::optional<Step> removeAll(const Relation& asChild, const std::vector<FieldValue>& values);

    // The child records whose leading key components equal values, in key order; at most
    // `limit` of them (0: all).
    struct Child {
        RecordRef ref;
        std::unique_ptr<Record> record;
    };
    Outcome children(const Relation& relation, const std::vector<FieldValue>& values, std::size_t limit,
        std::vector<Child>& found);
    static std::vector<FieldValue> linkValues(const Relation& relation, const Record& parent);
    static Step stepOf(AccessResult result);

    AccessObject& access_;
    std::chrono::milliseconds transactionLimit_ = kTransactionLimit;
    std::unique_ptr<std::vector<Relation>> relations_; // registered on first need
};

} // namespace nidora::data
