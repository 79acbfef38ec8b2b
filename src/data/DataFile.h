#pragma once

#include "data/Schema.h"
#include "data/StorageOutcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One data file on disk: an SQLite database named by the file's disk name plus ".QVM",
// resolved in the working directory when it is opened, holding the file's records and one
// index per key. Everything is typed on the file's FileDesc and its record structs; the
// access objects build their priming, numbering, validation and messages on this.
//
//   auto opened = DataFile::open(consultas);            // created empty when missing
//   if (!opened.outcome.ok()) ...                       // NotFound, AccessDenied, Damaged,
//                                                       // KeysDamaged, Locked, Error
//   CONSULTAS record;
//   RecordRef ref;
//   file.fetch(consultas.keys[0], {std::int64_t(42)}, record, &ref);
//   file.page(&consultas.keys[2], {{std::int64_t(7)}}, Direction::Forward, 50, visit);
//   file.change(ref, record);                           // Status::Changed: changed meanwhile
//
// Reads copy their rows out and reset their statement before returning (a page calls its
// visitor only afterwards), so no read ever holds a lock between calls and a list never
// blocks another connection's writes.
namespace nidora::data {

namespace sql {
class Connection;
}
class RecordStore;
class FileTransaction;
struct TableRoute;

enum class OpenMode { ReadWrite, ReadOnly };
enum class Direction { Forward, Backward };

struct OpenOptions {
    // The disk file's name in the working directory; empty: FileDesc::fileName(). Scratch
    // files are opened under a copy's name (copyFileName) by each window that fills one.
    QString fileName;
    // Enciphered files (FileDesc::enciphered) only: the owner password.
    QByteArray password;
    // How long any operation waits for a lock held by another connection before it reports
    // Status::Locked.
    std::chrono::milliseconds lockWait { 2000 };
};

// A record's identity (never reused, even after a delete) and the version it was read at.
struct RecordRef {
    std::int64_t id = 0;
    std::int64_t version = 0;
};

// Where a read in key order starts.
//  - values: the leading components of the key, in key order; fewer than the key's
//    components position by that prefix; none: the start (forward) or the end (backward).
//  - id: when every component is given, the identity of the record last read at those
//    values; reading resumes just after it (forward) or just before it (backward), so that
//    records with equal values of a duplicates key page stably. 0: at the values
//    themselves, the first record at-or-after (forward) or at-or-before (backward) them.
// In record order (no key) only id counts: the identity after (forward) or before
// (backward) which reading goes on; 0 starts at the first or the last record.
struct Position {
    std::vector<FieldValue> values;
    std::int64_t id = 0;
};

// A field of a set-based change and the value it takes (a blank value clears it).
struct FieldSetting {
    const FieldDesc* field;
    FieldValue value;
};

// Called once per row read, after the read's statement has been reset.
using RowVisitor = std::function<void(const RecordRef& ref, const Record& record)>;

class DataFile {
public:
    struct Opened {
        Outcome outcome;
        std::unique_ptr<DataFile> file; // set when the outcome is Ok
        bool created = false; // the file was missing and this call made it
    };

    // Opens the file. A missing file is created empty when FileDesc::createdWhenMissing
    // and the mode is ReadWrite; otherwise it is NotFound. A new file is built whole before
    // it takes its name, so of two instances creating it at once one makes it and the other
    // opens that one. A file that is there but is not one of ours, an empty one included, is
    // Damaged and left as it is: it may be a practice's lost data. AccessDenied: the file
    // cannot be written (open it ReadOnly instead). KeysDamaged: the records are sound and
    // rebuildKeys() repairs the keys; Damaged: the records themselves are. The FileDesc must
    // outlive the DataFile.
    static Opened open(
        const FileDesc& file, OpenMode mode = OpenMode::ReadWrite, const OpenOptions& options = {});

    // Replaces the disk file's contents with an empty file of the description (a scratch
    // file before a fill). Other connections to the file see it empty from then on.
    static Outcome createEmpty(const FileDesc& file, const OpenOptions& options = {});
    // Re-creates every key's index from the records; Damaged when the file is still not
    // sound afterwards (the damage was in the records).
    static Outcome rebuildKeys(const FileDesc& file, const OpenOptions& options = {});
    // The disk file name of a window's own copy of a scratch file: the disk name cut to five
    // characters and the copy number in three digits ("GRAFI002.QVM"). copy is 1 to 999.
    static QString copyFileName(const FileDesc& file, int copy);
    // Removes a disk file of the working directory together with a journal left beside it.
    static bool removeFile(const QString& fileName);
    // Removes from a folder what creations cut short left there: a new file built under its
    // temporary name whose process has ended (and that is over a minute old, so that a
    // creation under way on another machine of the practice is left alone). Returns the names
    // removed.
    static QStringList removeUnfinishedCreations(const QString& folder);

    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    const FileDesc& desc() const { return desc_; }
    QString path() const { return path_; } // absolute, fixed when opened
    bool readOnly() const { return readOnly_; }
    void setLockWait(std::chrono::milliseconds wait);
    std::chrono::milliseconds lockWait() const { return lockWait_; }
    // Inside a write transaction already: a FileTransaction's, or a fill's (beginBuffered).
    bool transactionOpen() const;

    // ---- reading ----------------------------------------------------------------------
    // The first record, in key order, whose leading components equal values (all of the
    // key's components for an exact match). NotFound when there is none; a key that
    // leaves blank entries out never finds all-blank values.
    Outcome fetch(
        const KeyDesc& key, const std::vector<FieldValue>& values, Record& record, RecordRef* ref = nullptr);
    // The record with this identity.
    Outcome read(std::int64_t id, Record& record, RecordRef* ref = nullptr);
    // Up to n records from a position in key order (key null: in record order), in the
    // direction given; visit is called for each, in reading order. Fewer than n (possibly
    // none) means the start or end of the key was reached; that is not a failure.
    Outcome page(
        const KeyDesc* key, const Position& from, Direction direction, int n, const RowVisitor& visit);
    // One record: the first (Forward) or last (Backward) from the position; NotFound past
    // the end.
    Outcome step(const KeyDesc* key, const Position& from, Direction direction, Record& record,
        RecordRef* ref = nullptr);
    // The position just at a record read in key order, to resume from or to re-read it.
    Position positionOf(const KeyDesc& key, const Record& record, std::int64_t id) const;
    // The highest value of a numeric key's first component (for automatic numbering);
    // NotFound when the key has no entries.
    Outcome highest(const KeyDesc& key, std::int64_t& value);
    Outcome count(std::int64_t& records);

    // ---- writing ----------------------------------------------------------------------
    // Adds a new record; added receives its identity and version. Duplicate names the
    // unique key the record would duplicate.
    Outcome add(const Record& record, RecordRef* added = nullptr);
    // Writes the record over the one with ref.id, provided it is still at ref.version, and
    // moves ref to the new version. Changed: another connection changed it since;
    // NotFound: it was deleted meanwhile.
    Outcome change(RecordRef& ref, const Record& record);
    Outcome remove(std::int64_t id);

    // Set-based writes, each one statement (a cascade's over a child file): every record
    // whose key's leading components equal values gets the fields set and a new version, or
    // is removed; count receives how many. Duplicate when a unique key refuses the change
    // (nothing of it is written). Only where setBased(): the enciphered file has no columns
    // to reach and is changed record by record.
    bool setBased() const;
    Outcome changeAll(const KeyDesc& key, const std::vector<FieldValue>& values,
        const std::vector<FieldSetting>& set, std::int64_t* count = nullptr);
    Outcome removeAll(
        const KeyDesc& key, const std::vector<FieldValue>& values, std::int64_t* count = nullptr);

    // Buffered writing for fills: one transaction from beginBuffered() to flush(), so many
    // adds cost one commit. The file stays locked for writing by others until flush().
    Outcome beginBuffered();
    Outcome flush();
    bool buffered() const { return buffered_; }

    // A full check of pages and keys (slow on large files; opening does not do it):
    // Damaged, KeysDamaged when only the keys are wrong, or Ok.
    Outcome checkIntegrity();
    // The quick check: every page, record and key entry readable and in order, but not whether
    // each key entry matches its record (what rebuildKeys() mends). Ten times faster than the
    // full check on the practice's large files.
    Outcome checkPages();

    // ---- damage -----------------------------------------------------------------------
    // After an operation failed as Damaged: where the damage lies, by the quick check on
    // this file's own connection (which knows the key collation the keys are ordered by).
    // KeysDamaged: the records are sound and rebuildKeys() mends the file; Damaged: the
    // records are damaged; Ok: this file shows no damage. Only outside a transaction.
    Outcome examine(const Outcome& failed);
    // rebuildKeys() on the open file, outside a transaction.
    Outcome rebuildKeys();
    // The file takes part in a transaction (its own, a fill's or another file's).
    bool inTransaction() const;

    // How SQLite runs each query this file has prepared so far, one "sql => plan" line
    // per query: for checking that keyed reads and writes seek their key's index.
    QStringList queryPlans();

private:
    friend class FileTransaction;

    DataFile(const FileDesc& desc, QString path, bool readOnly, std::unique_ptr<sql::Connection> connection,
        std::unique_ptr<RecordStore> store, std::chrono::milliseconds lockWait);

    TableRoute route() const;
    int keyIndex(const KeyDesc& key) const;
    Outcome writable() const;

    const FileDesc& desc_;
    QString path_;
    bool readOnly_;
    std::unique_ptr<sql::Connection> connection_;
    std::unique_ptr<RecordStore> store_;
    std::chrono::milliseconds lockWait_;
    bool buffered_ = false;
    // Set while the file takes part in another file's transaction: its records are then
    // reached through that connection, where the file is attached under this schema name.
    sql::Connection* host_ = nullptr;
    QByteArray attachedAs_;
};

} // namespace nidora::data
