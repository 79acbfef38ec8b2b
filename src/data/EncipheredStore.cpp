#include "data/EncipheredStore.h"

#include "core/Cp1252.h"
#include "data/KeyOrderGuard.h"
#include "data/RecordCodec.h"
#include "data/SqliteConnection.h"

#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <cstring>

namespace nidora::data {
namespace {

constexpr const char* kSealedColumn = "\"_sealed\"";
constexpr const char* kCipherTable = "\"cipher\"";
// What the check value seals: a password that opens it opens the records.
constexpr const char* kProof = "nidora users";
constexpr const char* kKdfContext = "NIDOUSER";
constexpr std::uint64_t kSealSubkey = 1;
constexpr std::uint64_t kHashSubkey = 2;

QByteArray hashColumn(int key)
{
    return "\"_key_" + QByteArray::number(key) + '"';
}

QByteArray identityBytes(std::int64_t id)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(id, bytes.data());
    return bytes;
}

const unsigned char* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData());
}
unsigned char* bytesOf(QByteArray& bytes)
{
    return reinterpret_cast<unsigned char*>(bytes.data());
}

} // namespace

EncipheredStore::EncipheredStore(const FileDesc& file)
    : RecordStore(file)
{
    for (std::size_t k = 0; k < file.keys.size(); ++k) {
        if (file.keys[k].unique)
            hashedKeys_.push_back(int(k));
    }
}

EncipheredStore::~EncipheredStore()
{
    sodium_memzero(sealKey_.data(), sealKey_.size());
    sodium_memzero(hashKey_.data(), hashKey_.size());
}

SchemaDefinition EncipheredStore::definition() const
{
    SchemaDefinition definition;
    QByteArray records = QByteArray("CREATE TABLE ") + kRecordTable + " (" + kIdColumn
        + " INTEGER PRIMARY KEY AUTOINCREMENT, " + kVersionColumn + " INTEGER NOT NULL DEFAULT 1, "
        + kSealedColumn + " BLOB NOT NULL";
    for (int key : hashedKeys_)
        records += ", " + hashColumn(key) + " BLOB";
    definition.tables.push_back({ "records", records + ") STRICT" });
    definition.tables.push_back({ "cipher",
        QByteArray("CREATE TABLE ") + kCipherTable
            + " (salt BLOB NOT NULL, opslimit INTEGER NOT NULL, memlimit INTEGER NOT "
              "NULL, proof BLOB NOT NULL) STRICT" });
    // A record without an entry has a NULL hash, and NULLs never collide on a unique index.
    for (int key : hashedKeys_) {
        definition.indexes.push_back({ schema_.file().keys[std::size_t(key)].name.toUtf8(),
            "CREATE UNIQUE INDEX " + sql::quoted(schema_.file().keys[std::size_t(key)].name) + " ON "
                + kRecordTable + " (" + hashColumn(key) + ")" });
    }
    return definition;
}

Outcome EncipheredStore::prepare(sql::Connection& connection, bool fresh, const QByteArray& password)
{
    if (sodium_init() < 0)
        return failure(Status::Error, QStringLiteral("the cipher library could not start"));
    if (password.isEmpty())
        return failure(
            Status::Damaged, QStringLiteral("%1 opens only with its password").arg(schema_.file().label));
    QByteArray salt(crypto_pwhash_SALTBYTES, '\0');
    std::int64_t ops = std::int64_t(kOpsLimit);
    std::int64_t mem = std::int64_t(kMemLimit);
    QByteArray proof;
    if (fresh) {
        randombytes_buf(salt.data(), std::size_t(salt.size()));
    } else {
        sql::Statement* statement
            = connection.prepare(QByteArray("SELECT salt, opslimit, memlimit, proof FROM ") + kCipherTable);
        if (!statement)
            return failure(connection.error());
        sql::Connection::Use use(statement);
        if (!statement->step())
            return statement->ok()
                ? failure(Status::Damaged, QStringLiteral("the file has no cipher settings"))
                : failure(connection.error());
        salt = statement->blob(0);
        ops = statement->int64(1);
        mem = statement->int64(2);
        proof = statement->blob(3);
    }
    // Costs far beyond ours would stall the open: the file is not ours.
    if (salt.size() != qsizetype(crypto_pwhash_SALTBYTES) || ops < 1 || ops > 16 || mem < 8192
        || mem > (std::int64_t(1) << 30))
        return failure(Status::Damaged, QStringLiteral("the cipher settings are not valid"));
    std::array<unsigned char, 32> master {};
    if (crypto_pwhash(master.data(), master.size(), password.constData(), std::size_t(password.size()),
            bytesOf(salt), std::uint64_t(ops), std::size_t(mem), crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return failure(Status::Error, QStringLiteral("the key could not be derived (out of memory)"));
    crypto_kdf_derive_from_key(sealKey_.data(), sealKey_.size(), kSealSubkey, kKdfContext, master.data());
    crypto_kdf_derive_from_key(hashKey_.data(), hashKey_.size(), kHashSubkey, kKdfContext, master.data());
    sodium_memzero(master.data(), master.size());
    keyed_ = true;

    if (!fresh) {
        QByteArray plain;
        if (!open(proof, 0, plain) || plain != kProof) {
            keyed_ = false;
            return failure(
                Status::Damaged, QStringLiteral("the password does not open %1").arg(schema_.file().label));
        }
        return {};
    }
    sql::Statement* insert = connection.prepare(
        QByteArray("INSERT INTO ") + kCipherTable + " (salt, opslimit, memlimit, proof) VALUES (?, ?, ?, ?)");
    if (!insert)
        return failure(connection.error());
    sql::Connection::Use use(insert);
    insert->bindBlob(1, salt);
    insert->bind(2, ops);
    insert->bind(3, mem);
    insert->bindBlob(4, seal(kProof, 0));
    insert->step();
    return insert->ok() ? Outcome {} : failure(connection.error());
}

QByteArray EncipheredStore::seal(const QByteArray& plain, std::int64_t id) const
{
    const QByteArray extra = identityBytes(id);
    constexpr int nonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
    QByteArray sealed(nonceBytes + plain.size() + qsizetype(crypto_aead_xchacha20poly1305_ietf_ABYTES), '\0');
    randombytes_buf(sealed.data(), nonceBytes);
    unsigned long long length = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(bytesOf(sealed) + nonceBytes, &length, bytesOf(plain),
        std::uint64_t(plain.size()), bytesOf(extra), std::uint64_t(extra.size()), nullptr, bytesOf(sealed),
        sealKey_.data());
    sealed.resize(nonceBytes + qsizetype(length));
    return sealed;
}

bool EncipheredStore::open(const QByteArray& sealed, std::int64_t id, QByteArray& plain) const
{
    constexpr int nonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
    constexpr int tagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
    if (!keyed_ || sealed.size() < nonceBytes + tagBytes)
        return false;
    const QByteArray extra = identityBytes(id);
    plain.resize(sealed.size() - nonceBytes - tagBytes);
    unsigned long long length = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(bytesOf(plain), &length, nullptr,
            bytesOf(sealed) + nonceBytes, std::uint64_t(sealed.size() - nonceBytes), bytesOf(extra),
            std::uint64_t(extra.size()), bytesOf(sealed), sealKey_.data())
        != 0)
        return false;
    plain.resize(qsizetype(length));
    return true;
}

QByteArray EncipheredStore::keyHash(int key, const std::vector<FieldValue>& values) const
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    QByteArray input;
    bool blank = true;
    for (std::size_t c = 0; c < desc.components.size() && c < values.size(); ++c) {
        const Column& column = schema_.componentColumn(desc.components[c]);
        const FieldValue stored = storedValue(column, values[c]);
        blank = blank && isBlank(column, stored);
        // Each component length-prefixed, so that ("AB", "C") and ("A", "BC") differ.
        QByteArray part;
        if (const QString* text = std::get_if<QString>(&stored))
            part = cp1252::foldCase(*text).toUtf8();
        else if (const double* d = std::get_if<double>(&stored))
            part = QByteArray(reinterpret_cast<const char*>(d), sizeof *d);
        else
            part = identityBytes(std::get<std::int64_t>(stored));
        input += identityBytes(part.size()) + part;
    }
    if (blank && !desc.blanksIndexed)
        return {};
    QByteArray hash(crypto_generichash_BYTES, '\0');
    crypto_generichash(bytesOf(hash), std::size_t(hash.size()), bytesOf(input), std::uint64_t(input.size()),
        hashKey_.data(), hashKey_.size());
    return hash;
}

QByteArray EncipheredStore::rowColumns() const
{
    QByteArray columns = kSealedColumn;
    for (int key : hashedKeys_)
        columns += ", " + hashColumn(key);
    return columns;
}

bool EncipheredStore::decodeRow(const sql::Statement& statement, int first, Record& record)
{
    QByteArray plain;
    const std::unique_ptr<Record> opened = schema_.file().makeRecord();
    if (!open(statement.blob(first), statement.int64(0), plain) || !decodeRecord(schema_, plain, *opened))
        return false;
    // A fetch seeks by the hashes, which lie outside the seal: a row whose hash is not its
    // own record's (two rows' hashes exchanged by hand) would give one user's code another
    // user's record. Such a row is damage, and nothing of it is handed on.
    int column = first + 1;
    for (int key : hashedKeys_) {
        const QByteArray hash = keyHash(key, keyValues(schema_, key, *opened));
        const bool stored = !statement.isNull(column);
        if (stored == hash.isNull() || (stored && statement.blob(column) != hash))
            return false;
        ++column;
    }
    copyRecord(schema_, *opened, record);
    return true;
}

std::vector<QByteArray> EncipheredStore::writeColumns() const
{
    std::vector<QByteArray> columns { kSealedColumn };
    for (int key : hashedKeys_)
        columns.push_back(hashColumn(key));
    return columns;
}

void EncipheredStore::bindKeyHashes(sql::Statement& statement, int first, const Record& record) const
{
    int parameter = first;
    for (int key : hashedKeys_) {
        const QByteArray hash = keyHash(key, keyValues(schema_, key, record));
        if (hash.isNull())
            statement.bindNull(parameter++);
        else
            statement.bindBlob(parameter++, hash);
    }
}

void EncipheredStore::bindRow(sql::Statement& statement, int first, const Record& record, std::int64_t id)
{
    // Identity 0 is a row still to be inserted: it is sealed once SQLite has given it one.
    statement.bindBlob(first, id == 0 ? QByteArray("") : seal(encodeRecord(schema_, record), id));
    bindKeyHashes(statement, first + 1, record);
}

Outcome EncipheredStore::add(const TableRoute& route, const Record& record, RecordRef* added)
{
    if (!route.connection->exec("SAVEPOINT \"seal\""))
        return missing(route);
    RecordRef ref;
    Outcome outcome = RecordStore::add(route, record, &ref);
    if (outcome.ok()) {
        sql::Statement* statement = route.connection->prepare(
            "UPDATE " + route.records() + " SET " + kSealedColumn + " = ? WHERE " + kIdColumn + " = ?");
        sql::Connection::Use use(statement);
        if (statement) {
            statement->bindBlob(1, seal(encodeRecord(schema_, record), ref.id));
            statement->bind(2, ref.id);
            statement->step();
        }
        if (!statement || !statement->ok())
            outcome = missing(route);
    }
    if (!outcome.ok())
        route.connection->exec("ROLLBACK TO \"seal\"");
    route.connection->exec("RELEASE \"seal\"");
    if (outcome.ok() && added)
        *added = ref;
    return outcome;
}

const KeyDesc* EncipheredStore::duplicatedKey(
    const TableRoute& route, const Record& record, std::int64_t exceptId)
{
    for (int key : hashedKeys_) {
        const QByteArray hash = keyHash(key, keyValues(schema_, key, record));
        if (hash.isNull())
            continue;
        sql::Statement* statement = route.connection->prepare("SELECT 1 FROM " + route.records() + " WHERE "
            + hashColumn(key) + " = ? AND " + kIdColumn + " <> ? LIMIT 1");
        if (!statement)
            continue;
        sql::Connection::Use use(statement);
        statement->bindBlob(1, hash);
        statement->bind(2, exceptId);
        if (statement->step())
            return &schema_.file().keys[std::size_t(key)];
    }
    return nullptr;
}

Outcome EncipheredStore::sorted(const TableRoute& route, int key, std::vector<Row>& rows)
{
    sql::Statement* statement = route.connection->prepare("SELECT " + QByteArray(kIdColumn) + ", "
        + kVersionColumn + ", " + rowColumns() + " FROM " + route.records());
    std::vector<Row> all;
    const Outcome outcome = collect(statement, route, all);
    if (!outcome.ok())
        return outcome;
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    std::vector<std::pair<std::vector<FieldValue>, Row>> keyed;
    for (Row& row : all) {
        std::vector<FieldValue> values = keyValues(schema_, key, *row.record);
        bool blank = true;
        for (std::size_t c = 0; c < values.size(); ++c)
            blank = blank && isBlank(schema_.componentColumn(desc.components[c]), values[c]);
        if (!blank || desc.blanksIndexed)
            keyed.emplace_back(std::move(values), std::move(row));
    }
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        const int order = compareKeyValues(schema_, key, a.first, b.first, desc.components.size());
        return order != 0 ? order < 0 : a.second.ref.id < b.second.ref.id;
    });
    for (auto& [values, row] : keyed)
        rows.push_back(std::move(row));
    return {};
}

Outcome EncipheredStore::fetch(
    const TableRoute& route, int key, const std::vector<FieldValue>& values, Record& record, RecordRef* ref)
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const QString notFound = QStringLiteral("no record for the key %1").arg(desc.name);
    const std::size_t count = std::min(values.size(), desc.components.size());
    if (desc.unique && count == desc.components.size()) {
        const QByteArray hash = keyHash(key, values);
        if (hash.isNull())
            return failure(Status::NotFound, notFound);
        sql::Statement* statement
            = route.connection->prepare("SELECT " + QByteArray(kIdColumn) + ", " + kVersionColumn + ", "
                + rowColumns() + " FROM " + route.records() + " WHERE " + hashColumn(key) + " = ?");
        if (statement)
            statement->bindBlob(1, hash);
        return readOne(statement, route, record, ref, notFound);
    }
    std::vector<Row> rows;
    const Outcome outcome = sorted(route, key, rows);
    if (!outcome.ok())
        return outcome;
    for (const Row& row : rows) {
        if (compareKeyValues(schema_, key, keyValues(schema_, key, *row.record), values, count) == 0) {
            copyRecord(schema_, *row.record, record);
            if (ref)
                *ref = row.ref;
            return {};
        }
    }
    return failure(Status::NotFound, notFound);
}

Outcome EncipheredStore::pageByKey(const TableRoute& route, int key, const Position& from,
    Direction direction, int n, const RowVisitor& visit)
{
    std::vector<Row> rows;
    const Outcome outcome = sorted(route, key, rows);
    if (!outcome.ok())
        return outcome;
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const bool forward = direction == Direction::Forward;
    const std::size_t count = std::min(from.values.size(), desc.components.size());
    const bool resume = count == desc.components.size() && from.id != 0;
    // Whether a row lies at or beyond the position in the reading direction.
    auto reached = [&](const Row& row) {
        if (count == 0)
            return true;
        int order = compareKeyValues(schema_, key, keyValues(schema_, key, *row.record), from.values, count);
        if (resume && order == 0)
            order = row.ref.id < from.id ? -1 : (row.ref.id > from.id ? 1 : 0);
        if (!forward)
            order = -order;
        return resume ? order > 0 : order >= 0;
    };
    if (!forward)
        std::reverse(rows.begin(), rows.end());
    int visited = 0;
    for (const Row& row : rows) {
        if (visited == n)
            break;
        if (reached(row)) {
            visit(row.ref, *row.record);
            ++visited;
        }
    }
    return {};
}

Outcome EncipheredStore::highest(const TableRoute& route, int key, std::int64_t& value)
{
    std::vector<Row> rows;
    const Outcome outcome = sorted(route, key, rows);
    if (!outcome.ok())
        return outcome;
    if (rows.empty())
        return failure(Status::NotFound,
            QStringLiteral("the key %1 is empty").arg(schema_.file().keys[std::size_t(key)].name));
    const FieldValue first = keyValues(schema_, key, *rows.back().record).front();
    const std::int64_t* number = std::get_if<std::int64_t>(&first);
    value = number ? *number : 0;
    return {};
}

} // namespace nidora::data
