#pragma once

#include "data/RecordStore.h"

#include <array>

// The records of the enciphered file (the users): each record's stored values sealed as one
// authenticated blob under a key derived from the owner password, the record's identity as
// additional data so that blobs cannot be moved between rows. A unique key is kept as a
// keyed hash of its folded values, so fetching by a user code seeks an index without the
// code ever being on disk in clear; every read checks the row's hashes against the record
// it opened, so that hashes moved between rows are found as damage. Every other read decrypts the file's few
// records and orders them in memory, as the plain store's indexes would.
namespace nidora::data {

class EncipheredStore : public RecordStore {
public:
    // The cost of deriving the key from the password; kept in the file, so a file written
    // with another cost still opens.
    static constexpr unsigned long long kOpsLimit = 2;
    static constexpr std::size_t kMemLimit = std::size_t(8) << 20;

    explicit EncipheredStore(const FileDesc& file);
    ~EncipheredStore() override;

    SchemaDefinition definition() const override;
    // Fresh: draws a salt, derives the keys and stores the salt with a sealed check value.
    // Otherwise derives the keys from the stored salt; a password that does not open the
    // check value is Damaged.
    Outcome prepare(sql::Connection& connection, bool fresh, const QByteArray& password) override;

    Outcome fetch(const TableRoute& route, int key, const std::vector<FieldValue>& values, Record& record,
        RecordRef* ref) override;
    Outcome pageByKey(const TableRoute& route, int key, const Position& from, Direction direction, int n,
        const RowVisitor& visit) override;
    Outcome highest(const TableRoute& route, int key, std::int64_t& value) override;
    // The sealed blob needs the identity, which SQLite gives only on insert: the row is
    // inserted with its key hashes and sealed right after, both under one savepoint.
    Outcome add(const TableRoute& route, const Record& record, RecordRef* added) override;

protected:
    // The sealed blob, then the key hashes.
    QByteArray rowColumns() const override;
    // Reads the identity from column 0 of the statement: it authenticates the blob. False
    // as well when a stored hash is not the opened record's own.
    bool decodeRow(const sql::Statement& statement, int first, Record& record) override;
    std::vector<QByteArray> writeColumns() const override;
    void bindRow(sql::Statement& statement, int first, const Record& record, std::int64_t id) override;
    const KeyDesc* duplicatedKey(
        const TableRoute& route, const Record& record, std::int64_t exceptId) override;

private:
    QByteArray seal(const QByteArray& plain, std::int64_t id) const;
    bool open(const QByteArray& sealed, std::int64_t id, QByteArray& plain) const;
    // The keyed hash of a unique key's values; null (no entry) when they are all blank and
    // the key leaves blanks out.
    QByteArray keyHash(int key, const std::vector<FieldValue>& values) const;
    void bindKeyHashes(sql::Statement& statement, int first, const Record& record) const;
    // Every record of the file in the key's order (identity last), blank entries left out
    // where the key leaves them out.
    Outcome sorted(const TableRoute& route, int key, std::vector<Row>& rows);

    std::vector<int> hashedKeys_; // the unique keys, each with a hash column
    std::array<unsigned char, 32> sealKey_ {};
    std::array<unsigned char, 32> hashKey_ {};
    bool keyed_ = false;
};

} // namespace nidora::data
