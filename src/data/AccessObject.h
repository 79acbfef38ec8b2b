#pragma once

#include "core/RecordMessages.h"
#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "data/Schema.h"

#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace nidora::core {
class ErrorManager;
} // namespace nidora::core

// One thread's access to one data file: the thread's record buffer for it, the file opened
// with a user count, priming with initial values and automatic numbering, validation, and
// every read and write, each failure reported with its numbered message. The "try" forms
// never show a message; they leave the failure as the thread's last error instead.
//
//   AccessObject& patients = dictionary.access(FileId::PACIENTES);
//   patients.open();
//   patients.prime();                          // PAC:CODIGO numbered and added at once
//   dictionary.buffer<PACIENTES>().NOMBRE = "Ana";
//   patients.insert();                         // written over the primed record
//   patients.close();
namespace nidora::data {

class Dictionary;
class ScratchCopy;
struct ValidationRule;

enum class AccessResult {
    Ok,
    NotFound, // fetch found nothing, next or previous went past the end: no message
    Failed, // a notice was shown (or, for a try form, nothing), or a question was answered No
    Fatal, // a message that ends the program was shown
    Cancelled, // the user answered No to the confirmation of a delete
};

class AccessObject {
public:
    // How long opening waits for a lock left by a process that ended, or held by another.
    static constexpr std::chrono::seconds kLockRecoveryTime { 10 };
    // The owner password of the enciphered file (ACCESOS), supplied on every open.
    static constexpr const char* kOwnerPassword = "8826";

    // The lock waits of opening, for every access object of the process: tests shorten them.
    struct OpeningWaits {
        std::chrono::milliseconds usual { 2000 };
        std::chrono::milliseconds recovery { kLockRecoveryTime };
    };
    static void setOpeningWaits(const OpeningWaits& waits);
    static OpeningWaits defaultOpeningWaits();

    // Everything an operation may need to put back: the buffer, the record it holds as read
    // from the file, and the numbering state.
    struct State {
        std::unique_ptr<Record> buffer;
        std::unique_ptr<Record> asRead;
        RecordRef current;
        bool numbered = false;
        RecordRef numberedRef;
    };

    AccessObject(const FileDesc& file, Dictionary& dictionary, core::ErrorManager& errors);
    // Closes the file if the thread still holds it open, and drops its own copy.
    ~AccessObject();
    AccessObject(const AccessObject&) = delete;
    AccessObject& operator=(const AccessObject&) = delete;

    const FileDesc& desc() const { return desc_; }
    FileId id() const { return id_; }
    Record& buffer() { return *buffer_; }
    const Record& buffer() const { return *buffer_; }
    Dictionary& dictionary() { return dictionary_; }
    core::ErrorManager& errors() { return errors_; }
    // A key of this file by its name ("PAC:KCODIGO"); std::invalid_argument when it has none.
    const KeyDesc& key(const char* name) const;
    // The automatically numbered key, or null.
    const KeyDesc* numberedKey() const { return numberedKey_; }

    // ---- opening ------------------------------------------------------------------------
    // The first open of the thread opens the disk file (two attempts, recovering locks,
    // read-only after message 2, creating a missing file, rebuilding damaged keys); later
    // ones only count. Level-3 messages end the program: Fatal. A file another station still
    // holds locked after the waits asks whether to try again; No: Failed, nothing ends.
    AccessResult open();
    // Counts down; the last close closes the file.
    void close();
    bool isOpen() const { return file_ != nullptr; }
    int users() const { return users_; }
    bool readOnly() const;
    // The open disk file, for the relation objects' transactions; null while closed.
    DataFile* file() { return file_.get(); }
    // A scratch file is filled and read in a copy of its own by each window that fills it, so
    // two windows filling it at once, on this station or on another, never mix their rows: the
    // thread claims a copy (ScratchCopy.h) and its file, when open, is opened again there for
    // each of its users. False when no copy could be claimed: the shared disk file serves, as
    // it always did. Claiming again keeps the copy the thread has.
    bool useOwnCopy();
    // Closes the file whoever holds it, removes the copy and lets its number go; the shared
    // disk file from then on. The thread's end does it too.
    void dropOwnCopy();
    // The copy's number, 0 while the shared file is used.
    int copy() const;
    // The disk file's name in the working directory: the copy's while one is used.
    QString diskFileName() const;

    // ---- new records ----------------------------------------------------------------------
    // Clears the buffer (unless kept), sets the initial values and, for a numbered file,
    // numbers the record and adds it at once.
    AccessResult prime(bool keepBuffer = false);
    // Removes the record priming added, through the relation object, without asking.
    AccessResult cancelNumbering();
    // The record in the buffer was added by priming and is not yet inserted for good.
    bool numbered() const { return numbered_; }
    const RecordRef& numberedRecord() const { return numberedRef_; }

    // ---- validation -----------------------------------------------------------------------
    AccessResult validateField(int fieldNumber, bool showMessage = true);
    AccessResult validateRecord(bool showMessage = true);

    // ---- writing --------------------------------------------------------------------------
    AccessResult insert() { return insertRecord(true); }
    AccessResult tryInsert() { return insertRecord(false); }
    // Writes the buffer over the record last read. Another station changed it meanwhile:
    // message 7 (8 when the caller shows the other version), the record is read again.
    AccessResult change(bool showOtherVersion = false) { return changeRecord(true, showOtherVersion); }
    AccessResult tryChange() { return changeRecord(false, false); }
    // Deletes the record last read, after message 11 when asked to. Rules between files are
    // the relation object's (RelationObject::deleteRecord).
    AccessResult deleteRecord(bool askFirst = false);

    // ---- reading --------------------------------------------------------------------------
    // The record whose key equals the key's components in the buffer. A failed read leaves
    // the buffer as it was.
    AccessResult fetch(const KeyDesc& key) { return fetchRecord(key, true); }
    AccessResult tryFetch(const KeyDesc& key) { return fetchRecord(key, false); }
    // The order Next and Previous read in (null: record order), from its start or end, or
    // from the key's components in the buffer.
    void setOrder(const KeyDesc* key, bool fromBuffer = false);
    AccessResult next() { return step(Direction::Forward); }
    AccessResult previous() { return step(Direction::Backward); }

    void saveBuffer();
    void restoreBuffer();

    // ---- for the relation objects ---------------------------------------------------------
    // The record last read or written as the file holds it; its linking fields are the old
    // values a change is compared with.
    const Record& asRead() const { return *asRead_; }
    const RecordRef& current() const { return current_; }
    // Makes a record read from the file the buffer's and the one last read.
    void load(const RecordRef& ref, const Record& stored);
    State state() const;
    void restore(const State& state, bool withBuffer = true);

    // The number of the last message this object raised (0: none yet).
    int lastMessage() const { return lastMessage_; }
    // How many times this object found its file's keys damaged and rebuilt them: a read that
    // failed while the count moved on may go on from where it stood.
    int keyRebuilds() const { return keyRebuilds_; }

    // Shows message `number` with the file's label filled in and returns Failed, or Fatal for
    // a level-3 message; a silent failure is only recorded as the thread's last error.
    AccessResult report(int number, core::MessageArgs args, bool show);
    // As report, with the storage's error text. An outcome that finds the file damaged is
    // not told as the operation's failure: the file is examined (once any transaction it is
    // in has ended, see mendDamage) and damaged keys are reported with message 30 and
    // rebuilt, damaged records end the program with message 26 saying the file must be
    // restored from a backup. A try form leaves damage to the next operation that shows.
    AccessResult reportOutcome(int number, const Outcome& outcome, bool show);
    // Examines the file for damage a failure inside a transaction met, now that the
    // transaction has ended; Ok when there was none. Every operation does it first.
    AccessResult mendDamage();
    // The full check of the open file (slow on large files: run once per run, for a damage
    // that the background check found): damaged keys are told with message 30 and rebuilt (Ok
    // then), damaged records with message 26, which ends the program.
    AccessResult checkWhole();
    // Tells damage found in the open file (a check's outcome, KeysDamaged or Damaged) as
    // checkWhole does, rebuilding the keys when only they are damaged: Ok once they are.
    AccessResult mend(const Outcome& found);

private:
    class WriteLock;

    // A failure that found the file damaged, with the message it came with.
    struct Damage {
        int message;
        Outcome outcome;
    };

    static core::MessageArgs errorArgs(const Outcome& outcome);
    // The outcome as the damaged-file message tells it: restore the file from a backup.
    static Outcome damagedFile(const Outcome& outcome);
    AccessResult damaged(int number, const Outcome& outcome);
    bool requireOpen(bool show);
    OpenOptions openOptions(std::chrono::milliseconds lockWait) const;
    AccessResult openFile();
    AccessResult openAttempts(Outcome& last);
    AccessResult number(bool show);
    Outcome addNumbered(RecordRef& ref, AccessResult& read, bool show);
    AccessResult highestNumber(std::int64_t& highest, bool show);
    AccessResult insertRecord(bool show);
    AccessResult writeNew(bool show);
    AccessResult duplicateKey(const Outcome& written, bool show);
    AccessResult changeRecord(bool show, bool showOtherVersion);
    AccessResult fetchRecord(const KeyDesc& key, bool show);
    AccessResult step(Direction direction);
    Outcome readStep(Direction direction, Record& record, RecordRef& ref);
    AccessResult readFailure(const Outcome& outcome, bool show);
    AccessResult checkRule(const ValidationRule& rule, const FieldDesc& field, bool show);
    void wrote(const RecordRef& ref);
    void showHeldMessages();

    const FileDesc& desc_;
    const FileId id_;
    Dictionary& dictionary_;
    core::ErrorManager& errors_;
    const KeyDesc* numberedKey_ = nullptr;

    std::unique_ptr<Record> buffer_;
    std::unique_ptr<Record> asRead_;
    RecordRef current_;
    std::unique_ptr<DataFile> file_;
    int users_ = 0;
    std::unique_ptr<ScratchCopy> copy_;
    bool numbered_ = false;
    RecordRef numberedRef_;
    const KeyDesc* order_ = nullptr;
    Position from_;
    std::optional<State> saved_;
    std::optional<Damage> damage_;
    int lastMessage_ = 0;
    int keyRebuilds_ = 0;
    // While an operation of this object holds its file's write lock (WriteLock), the notices
    // it raises wait here and are shown once the lock is let go: another station must not
    // wait on our lock while the user reads a message.
    bool holding_ = false;
    std::vector<std::pair<int, core::MessageArgs>> held_;
};

} // namespace nidora::data
