#include "data/DataFile.h"

#include "data/CheckPragma.h"
#include "data/EncipheredStore.h"
#include "data/KeyCollation.h"
#include "data/PlainStore.h"
#include "data/RecordCodec.h"
#include "data/RecordStore.h"
#include "data/SqliteConnection.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

namespace nidora::data {
namespace {

// Marks a database as one of this program's data files ("NIDO").
constexpr std::int64_t kApplicationId = 0x4E49444F;

std::unique_ptr<RecordStore> makeStore(const FileDesc& desc)
{
    if (desc.enciphered)
        return std::make_unique<EncipheredStore>(desc);
    return std::make_unique<PlainStore>(desc);
}

QString resolve(const FileDesc& desc, const OpenOptions& options)
{
    return QDir::current().absoluteFilePath(options.fileName.isEmpty() ? desc.fileName() : options.fileName);
}

// Every connection to a data file: our collation (the indexes use it), the bounded lock
// wait, and the journal settings that make a commit across attached files atomic.
Outcome configure(sql::Connection& connection, std::chrono::milliseconds wait)
{
    if (!connection.isOpen())
        return failure(connection.error());
    if (!registerKeyCollation(connection.handle()))
        return failure(Status::Error, QStringLiteral("the key collation could not be registered"));
    connection.setBusyTimeout(wait);
    if (!connection.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL"))
        return failure(connection.error());
    return {};
}

Outcome execute(sql::Connection& connection, const QByteArray& sql)
{
    return connection.exec(sql) ? Outcome {} : failure(connection.error());
}

// Runs work inside one write transaction, rolled back when work fails.
template <typename Work> Outcome withinTransaction(sql::Connection& connection, Work work)
{
    Outcome outcome = execute(connection, "BEGIN IMMEDIATE");
    if (!outcome.ok())
        return outcome;
    outcome = work();
    if (outcome.ok())
        outcome = execute(connection, "COMMIT");
    if (!outcome.ok())
        connection.exec("ROLLBACK");
    return outcome;
}

// The objects of the database, by type and name; an error when it cannot be read (a
// damaged or foreign file fails here, with SQLITE_NOTADB or SQLITE_CORRUPT).
Outcome readSchema(sql::Connection& connection, std::map<QByteArray, QByteArray>& tables,
    std::map<QByteArray, QByteArray>& indexes)
{
    sql::Statement* statement
        = connection.prepare("SELECT type, name, sql FROM sqlite_schema WHERE sql IS NOT NULL");
    if (!statement)
        return failure(connection.error());
    sql::Connection::Use use(statement);
    while (statement->step()) {
        auto& into = statement->text(0) == QLatin1String("index") ? indexes : tables;
        into[statement->text(1).toUtf8()] = statement->text(2).toUtf8();
    }
    return statement->ok() ? Outcome {} : failure(connection.error());
}

// The schema and the mark of a data file, read in one read transaction so that both come from
// one moment of the file: a verdict made of two reads with another connection's commit between
// them describes no file that ever was.
Outcome readDescription(sql::Connection& connection, std::map<QByteArray, QByteArray>& tables,
    std::map<QByteArray, QByteArray>& indexes, std::int64_t& applicationId)
{
    Outcome outcome = execute(connection, "BEGIN");
    if (!outcome.ok())
        return outcome;
    outcome = readSchema(connection, tables, indexes);
    if (outcome.ok()) {
        sql::Statement* id = connection.prepare("PRAGMA application_id");
        if (!id)
            outcome = failure(connection.error());
        else {
            sql::Connection::Use use(id);
            applicationId = id->step() ? id->int64(0) : 0;
            if (!id->ok())
                outcome = failure(connection.error());
        }
    }
    connection.exec("COMMIT");
    return outcome;
}

Outcome verifySchema(sql::Connection& connection, const RecordStore& store)
{
    std::map<QByteArray, QByteArray> tables;
    std::map<QByteArray, QByteArray> indexes;
    std::int64_t applicationId = 0;
    Outcome outcome = readDescription(connection, tables, indexes, applicationId);
    if (!outcome.ok())
        return outcome;
    if (applicationId != kApplicationId)
        return failure(Status::Damaged, QStringLiteral("the file is not a data file of this program"));
    const SchemaDefinition expected = store.definition();
    for (const SchemaObject& table : expected.tables) {
        auto found = tables.find(table.name);
        if (found == tables.end() || found->second != table.sql)
            return failure(Status::Damaged,
                QStringLiteral("the table %1 is not as the file is described").arg(QString(table.name)));
    }
    for (const SchemaObject& index : expected.indexes) {
        auto found = indexes.find(index.name);
        if (found == indexes.end() || found->second != index.sql)
            return failure(Status::KeysDamaged,
                QStringLiteral("the key %1 is missing or differs").arg(QString(index.name)));
    }
    return {};
}

// Creates the tables and keys of a fresh file (inside the caller's transaction); a file
// that another process has just created meanwhile is left as it is.
Outcome buildSchema(sql::Connection& connection, RecordStore& store, const QByteArray& password)
{
    std::map<QByteArray, QByteArray> tables;
    std::map<QByteArray, QByteArray> indexes;
    Outcome outcome = readSchema(connection, tables, indexes);
    const SchemaDefinition definition = store.definition();
    if (!outcome.ok() || tables.count(definition.tables.front().name))
        return outcome;
    outcome = execute(connection, "PRAGMA application_id = " + QByteArray::number(kApplicationId));
    for (const SchemaObject& table : definition.tables) {
        if (outcome.ok())
            outcome = execute(connection, table.sql);
    }
    for (const SchemaObject& index : definition.indexes) {
        if (outcome.ok())
            outcome = execute(connection, index.sql);
    }
    if (outcome.ok())
        outcome = store.prepare(connection, true, password);
    return outcome;
}

// Builds the tables and keys of a file that has none yet, inside one write transaction (a
// scratch file emptied for a fill, or a new file under its temporary name).
Outcome buildFile(sql::Connection& connection, RecordStore& store, const OpenOptions& options)
{
    return withinTransaction(connection, [&] { return buildSchema(connection, store, options.password); });
}

// A name beside the file, for this process alone, under which a new file is built:
// "PACIENTE.QVM.<process>-<count>.nuevo".
const QString kBuildingSuffix = QStringLiteral(".nuevo");

QString buildingName(const QString& path)
{
    static int built = 0;
    return path + QStringLiteral(".%1-%2").arg(QCoreApplication::applicationPid()).arg(++built)
        + kBuildingSuffix;
}

// The process that builds under a name of buildingName's; 0 when the name is not one of them.
qint64 builderOf(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("\\.([0-9]+)-[0-9]+\\.nuevo$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool processRunning(qint64 process)
{
    return ::kill(pid_t(process), 0) == 0 || errno == EPERM;
}

void removeWithJournal(const QString& path)
{
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
}

// Makes the built file the file of its name in one step that fails when the name exists, so
// that every instance finds no file or a whole one. Other file systems than the usual ones may
// refuse hard links: a rename that never replaces does the same there.
enum class Published { Done, NameTaken, Failed };
Published publish(const QString& built, const QString& path)
{
    const QByteArray from = QFile::encodeName(built);
    const QByteArray to = QFile::encodeName(path);
    int rc = ::link(from.constData(), to.constData());
    if (rc != 0 && errno != EEXIST)
        rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (rc != 0)
        return errno == EEXIST ? Published::NameTaken : Published::Failed;
    // The new name is made durable as the file's contents already are.
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY); fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return Published::Done;
}

// Creates a missing file: built whole under a name of this process's own and then put in
// place. An instance that finds the name taken meanwhile leaves the other instance's file as
// it is and opens it; nothing of a failed build is left under the file's name.
Outcome createFile(const QString& path, const FileDesc& desc, const OpenOptions& options, bool* created)
{
    const QString built = buildingName(path);
    Outcome outcome;
    {
        auto store = makeStore(desc);
        sql::Connection connection(built, false, true);
        outcome = configure(connection, options.lockWait);
        if (outcome.ok())
            outcome = buildFile(connection, *store, options);
    }
    if (outcome.ok()) {
        switch (publish(built, path)) {
        case Published::Done:
            if (created)
                *created = true;
            break;
        case Published::NameTaken:
            break;
        case Published::Failed:
            outcome = failure(Status::AccessDenied,
                QStringLiteral("%1 could not be created: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
            break;
        }
    }
    removeWithJournal(built);
    return outcome;
}

// Whether the damage goes with the keys: with every index dropped, inside a transaction that
// is rolled back whatever it finds, the quick check sees nothing wrong with the records.
bool recordsSound(sql::Connection& connection)
{
    if (!connection.exec("BEGIN IMMEDIATE"))
        return false;
    std::map<QByteArray, QByteArray> tables;
    std::map<QByteArray, QByteArray> indexes;
    bool sound = readSchema(connection, tables, indexes).ok();
    for (const auto& [name, sql] : indexes) {
        if (sound)
            sound = connection.exec("DROP INDEX " + sql::quoted(QString::fromUtf8(name)));
    }
    sound = sound && pragmaProblems(connection, "PRAGMA quick_check").isEmpty();
    connection.exec("ROLLBACK");
    return sound;
}

// The keys are a function of the records: problems that go away without them are mended by
// rebuilding them; any others are the records' own.
Outcome classify(sql::Connection& connection, const QStringList& found)
{
    const QString text = found.join(QStringLiteral("; "));
    if (recordsSound(connection))
        return Outcome { Status::KeysDamaged, nullptr, SQLITE_CORRUPT_INDEX, text };
    return Outcome { Status::Damaged, nullptr, SQLITE_CORRUPT, text };
}

// After the storage reported damage on the connection (outside any transaction): where it
// lies. The quick check sees every page and record but not whether an index's entries match
// the records; SQLite says so itself when a write meets such an entry.
Outcome examineDamage(sql::Connection& connection, const Outcome& failed)
{
    // Our own finding (a record that cannot be read back): the records are damaged.
    if (failed.status == Status::Damaged && failed.code == 0)
        return failed;
    const QStringList found = pragmaProblems(connection, "PRAGMA quick_check");
    if (!found.isEmpty())
        return classify(connection, found);
    if (failed.code == SQLITE_CORRUPT_INDEX)
        return Outcome { Status::KeysDamaged, nullptr, failed.code, failed.text };
    return {};
}

// Drops every index there is and makes the file's keys again from the records, keeping the
// change only when the quick check then finds the file sound.
Outcome rebuildIndexes(sql::Connection& connection, const RecordStore& store)
{
    return withinTransaction(connection, [&] {
        std::map<QByteArray, QByteArray> tables;
        std::map<QByteArray, QByteArray> indexes;
        Outcome rebuilt = readSchema(connection, tables, indexes);
        for (const auto& [name, sql] : indexes) {
            if (rebuilt.ok())
                rebuilt = execute(connection, "DROP INDEX " + sql::quoted(QString::fromUtf8(name)));
        }
        for (const SchemaObject& index : store.definition().indexes) {
            if (rebuilt.ok())
                rebuilt = execute(connection, index.sql);
        }
        if (!rebuilt.ok())
            return rebuilt;
        const QStringList found = pragmaProblems(connection, "PRAGMA quick_check");
        return found.isEmpty()
            ? Outcome {}
            : Outcome { Status::Damaged, nullptr, SQLITE_CORRUPT, found.join(QStringLiteral("; ")) };
    });
}

// How a file's indexes stand against its description: as described, or some of them as the
// first files defined them (before keys followed the key order), or otherwise (missing or
// damaged, which rebuildKeys() mends).
enum class IndexDefinitions { AsDescribed, FirstOrder, Other };

IndexDefinitions compareIndexes(
    const std::map<QByteArray, QByteArray>& indexes, const std::vector<SchemaObject>& expected)
{
    bool firstOrder = false;
    for (const SchemaObject& index : expected) {
        const auto found = indexes.find(index.name);
        if (found == indexes.end())
            return IndexDefinitions::Other;
        if (found->second == index.sql)
            continue;
        if (index.firstOrderSql.isEmpty() || found->second != index.firstOrderSql)
            return IndexDefinitions::Other;
        firstOrder = true;
    }
    return firstOrder ? IndexDefinitions::FirstOrder : IndexDefinitions::AsDescribed;
}

// A file whose keys were built in the first files' order is re-indexed in the key order when
// it is opened, once: in one write transaction, so that another station reads either the old
// indexes or the new ones, never half of them, and under the write lock, which also lets a
// second station that opens it meanwhile find the work done when the lock is its own. Each
// index names the collation it follows, so a file re-indexed costs nothing to open again, and
// a program that knows only the first order finds the keys differ and does not write into them.
// A file opened read-only keeps its old indexes, which SQLite does not use for the key order:
// its reads in key order are right, only slower, until a station that may write opens it.
Outcome reindexInKeyOrder(
    sql::Connection& connection, const RecordStore& store, bool readOnly, const Outcome& verified)
{
    const SchemaDefinition expected = store.definition();
    std::map<QByteArray, QByteArray> tables;
    std::map<QByteArray, QByteArray> indexes;
    if (!readSchema(connection, tables, indexes).ok()
        || compareIndexes(indexes, expected.indexes) != IndexDefinitions::FirstOrder)
        return verified;
    if (readOnly)
        return {};
    return withinTransaction(connection, [&] {
        std::map<QByteArray, QByteArray> lockedTables;
        std::map<QByteArray, QByteArray> lockedIndexes;
        Outcome outcome = readSchema(connection, lockedTables, lockedIndexes);
        if (!outcome.ok())
            return outcome;
        const IndexDefinitions found = compareIndexes(lockedIndexes, expected.indexes);
        if (found != IndexDefinitions::FirstOrder)
            return found == IndexDefinitions::AsDescribed ? Outcome {} : verified;
        for (const SchemaObject& index : expected.indexes) {
            if (!outcome.ok() || lockedIndexes[index.name] == index.sql)
                continue;
            outcome = execute(connection, "DROP INDEX " + sql::quoted(QString::fromUtf8(index.name)));
            if (outcome.ok())
                outcome = execute(connection, index.sql);
        }
        return outcome;
    });
}

bool writableOnDisk(const QString& path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

DataFile::DataFile(const FileDesc& desc, QString path, bool readOnly,
    std::unique_ptr<sql::Connection> connection, std::unique_ptr<RecordStore> store,
    std::chrono::milliseconds lockWait)
    : desc_(desc)
    , path_(std::move(path))
    , readOnly_(readOnly)
    , connection_(std::move(connection))
    , store_(std::move(store))
    , lockWait_(lockWait)
{
}

DataFile::~DataFile()
{
    // Closing a file ends a fill: what was buffered is written, as a flush would.
    if (buffered_)
        connection_->exec("COMMIT");
}

DataFile::Opened DataFile::open(const FileDesc& desc, OpenMode mode, const OpenOptions& options)
{
    Opened result;
    const QString path = resolve(desc, options);
    const bool readOnly = mode == OpenMode::ReadOnly;
    if (!QFileInfo::exists(path)) {
        if (readOnly || !desc.createdWhenMissing) {
            result.outcome = failure(Status::NotFound, QStringLiteral("%1 does not exist").arg(path));
            return result;
        }
        result.outcome = createFile(path, desc, options, &result.created);
        if (!result.outcome.ok())
            return result;
    }
    if (!readOnly && !writableOnDisk(path)) {
        result.outcome = failure(Status::AccessDenied, QStringLiteral("%1 cannot be written").arg(path));
        return result;
    }
    auto connection = std::make_unique<sql::Connection>(path, readOnly, false);
    auto store = makeStore(desc);
    result.outcome = configure(*connection, options.lockWait);
    if (result.outcome.ok())
        result.outcome = verifySchema(*connection, *store);
    if (result.outcome.status == Status::KeysDamaged)
        result.outcome
            = reindexInKeyOrder(*connection, *store, readOnly || connection->isReadOnly(), result.outcome);
    if (result.outcome.status == Status::Damaged && result.outcome.code != 0) {
        const Outcome examined = examineDamage(*connection, result.outcome);
        if (!examined.ok())
            result.outcome = examined;
    }
    if (result.outcome.ok() && !readOnly && connection->isReadOnly())
        result.outcome = failure(Status::AccessDenied, QStringLiteral("%1 cannot be written").arg(path));
    if (result.outcome.ok())
        result.outcome = store->prepare(*connection, false, options.password);
    if (result.outcome.ok())
        result.file.reset(
            new DataFile(desc, path, readOnly, std::move(connection), std::move(store), options.lockWait));
    return result;
}

Outcome DataFile::createEmpty(const FileDesc& desc, const OpenOptions& options)
{
    const QString path = resolve(desc, options);
    if (!QFileInfo::exists(path))
        return createFile(path, desc, options, nullptr);
    Outcome outcome;
    {
        sql::Connection connection(path, false, false);
        auto store = makeStore(desc);
        outcome = configure(connection, options.lockWait);
        std::map<QByteArray, QByteArray> tables;
        std::map<QByteArray, QByteArray> indexes;
        if (outcome.ok())
            outcome = readSchema(connection, tables, indexes);
        if (outcome.ok()) {
            return withinTransaction(connection, [&] {
                Outcome dropped;
                for (const auto& [name, sql] : tables) {
                    if (dropped.ok() && !name.startsWith("sqlite_"))
                        dropped = execute(connection, "DROP TABLE " + sql::quoted(QString::fromUtf8(name)));
                }
                return dropped.ok() ? buildSchema(connection, *store, options.password) : dropped;
            });
        }
    }
    // What is there is no database at all: it is replaced.
    if (outcome.status != Status::Damaged)
        return outcome;
    if (!removeFile(QFileInfo(path).fileName()))
        return failure(Status::AccessDenied, QStringLiteral("%1 cannot be replaced").arg(path));
    return createFile(path, desc, options, nullptr);
}

Outcome DataFile::rebuildKeys(const FileDesc& desc, const OpenOptions& options)
{
    sql::Connection connection(resolve(desc, options), false, false);
    auto store = makeStore(desc);
    Outcome outcome = configure(connection, options.lockWait);
    return outcome.ok() ? rebuildIndexes(connection, *store) : outcome;
}

bool DataFile::inTransaction() const
{
    return host_ || connection_->inTransaction();
}

Outcome DataFile::examine(const Outcome& failed)
{
    if (inTransaction())
        return failure(Status::Error, QStringLiteral("%1 is inside a transaction").arg(desc_.label));
    return examineDamage(*connection_, failed);
}

Outcome DataFile::rebuildKeys()
{
    if (inTransaction())
        return failure(Status::Error, QStringLiteral("%1 is inside a transaction").arg(desc_.label));
    return rebuildIndexes(*connection_, *store_);
}

QString DataFile::copyFileName(const FileDesc& desc, int copy)
{
    return desc.diskName.left(5) + QStringLiteral("%1.QVM").arg(copy, 3, 10, QLatin1Char('0'));
}

bool DataFile::removeFile(const QString& fileName)
{
    const QString path = QDir::current().absoluteFilePath(fileName);
    QFile::remove(path + QStringLiteral("-journal"));
    return !QFileInfo::exists(path) || QFile::remove(path);
}

QStringList DataFile::removeUnfinishedCreations(const QString& folder)
{
    QStringList removed;
    const QDir dir(folder);
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-60);
    for (const QFileInfo& file : dir.entryInfoList({ QStringLiteral("*") + kBuildingSuffix }, QDir::Files)) {
        const qint64 builder = builderOf(file.fileName());
        if (builder == 0 || processRunning(builder) || file.lastModified().toUTC() > settled)
            continue;
        removeWithJournal(file.absoluteFilePath());
        removed << file.fileName();
    }
    return removed;
}

void DataFile::setLockWait(std::chrono::milliseconds wait)
{
    lockWait_ = wait;
    connection_->setBusyTimeout(wait);
}

bool DataFile::transactionOpen() const
{
    return host_ || buffered_ || connection_->inTransaction();
}

TableRoute DataFile::route() const
{
    if (host_)
        return TableRoute { host_, attachedAs_ };
    return TableRoute { connection_.get(), "main" };
}

int DataFile::keyIndex(const KeyDesc& key) const
{
    return store_->schema().keyIndex(key);
}

Outcome DataFile::writable() const
{
    if (readOnly_)
        return failure(Status::ReadOnly, QStringLiteral("%1 was opened read-only").arg(path_));
    return {};
}

namespace {
Outcome unknownKey(const KeyDesc& key, const FileDesc& desc)
{
    return failure(Status::Error, QStringLiteral("%1 is not a key of %2").arg(key.name, desc.label));
}
} // namespace

Outcome DataFile::fetch(
    const KeyDesc& key, const std::vector<FieldValue>& values, Record& record, RecordRef* ref)
{
    const int k = keyIndex(key);
    if (k < 0)
        return unknownKey(key, desc_);
    return store_->fetch(route(), k, values, record, ref);
}

Outcome DataFile::read(std::int64_t id, Record& record, RecordRef* ref)
{
    return store_->read(route(), id, record, ref);
}

Outcome DataFile::page(
    const KeyDesc* key, const Position& from, Direction direction, int n, const RowVisitor& visit)
{
    if (n <= 0)
        return {};
    if (!key)
        return store_->pageById(route(), from, direction, n, visit);
    const int k = keyIndex(*key);
    if (k < 0)
        return unknownKey(*key, desc_);
    return store_->pageByKey(route(), k, from, direction, n, visit);
}

Outcome DataFile::step(
    const KeyDesc* key, const Position& from, Direction direction, Record& record, RecordRef* ref)
{
    bool found = false;
    Outcome outcome = page(key, from, direction, 1, [&](const RecordRef& row, const Record& read) {
        found = true;
        if (ref)
            *ref = row;
        copyRecord(store_->schema(), read, record);
    });
    if (outcome.ok() && !found)
        outcome = failure(Status::NotFound, QStringLiteral("the end of %1 was reached").arg(desc_.label));
    return outcome;
}

Position DataFile::positionOf(const KeyDesc& key, const Record& record, std::int64_t id) const
{
    const int k = keyIndex(key);
    if (k < 0)
        return Position { {}, id };
    return Position { keyValues(store_->schema(), k, record), id };
}

Outcome DataFile::highest(const KeyDesc& key, std::int64_t& value)
{
    const int k = keyIndex(key);
    if (k < 0)
        return unknownKey(key, desc_);
    return store_->highest(route(), k, value);
}

Outcome DataFile::count(std::int64_t& records)
{
    return store_->count(route(), records);
}

Outcome DataFile::add(const Record& record, RecordRef* added)
{
    const Outcome allowed = writable();
    return allowed.ok() ? store_->add(route(), record, added) : allowed;
}

Outcome DataFile::change(RecordRef& ref, const Record& record)
{
    const Outcome allowed = writable();
    return allowed.ok() ? store_->change(route(), ref, record) : allowed;
}

Outcome DataFile::remove(std::int64_t id)
{
    const Outcome allowed = writable();
    return allowed.ok() ? store_->remove(route(), id) : allowed;
}

bool DataFile::setBased() const
{
    return store_->setBased();
}

Outcome DataFile::changeAll(const KeyDesc& key, const std::vector<FieldValue>& values,
    const std::vector<FieldSetting>& set, std::int64_t* count)
{
    const int k = keyIndex(key);
    if (k < 0)
        return unknownKey(key, desc_);
    Outcome outcome = writable();
    std::int64_t changed = 0;
    if (outcome.ok())
        outcome = store_->changeAll(route(), k, values, set, changed);
    if (count)
        *count = changed;
    return outcome;
}

Outcome DataFile::removeAll(const KeyDesc& key, const std::vector<FieldValue>& values, std::int64_t* count)
{
    const int k = keyIndex(key);
    if (k < 0)
        return unknownKey(key, desc_);
    Outcome outcome = writable();
    std::int64_t removed = 0;
    if (outcome.ok())
        outcome = store_->removeAll(route(), k, values, removed);
    if (count)
        *count = removed;
    return outcome;
}

Outcome DataFile::beginBuffered()
{
    if (buffered_)
        return {};
    Outcome outcome = writable();
    if (outcome.ok() && (host_ || connection_->inTransaction()))
        outcome = failure(Status::Error, QStringLiteral("%1 is inside a transaction").arg(desc_.label));
    if (outcome.ok())
        outcome = execute(*connection_, "BEGIN IMMEDIATE");
    buffered_ = outcome.ok();
    return outcome;
}

Outcome DataFile::flush()
{
    if (!buffered_)
        return {};
    const Outcome outcome = execute(*connection_, "COMMIT");
    buffered_ = !outcome.ok();
    return outcome;
}

Outcome DataFile::checkIntegrity()
{
    const QStringList found = pragmaProblems(*connection_, "PRAGMA integrity_check");
    return found.isEmpty() ? Outcome {} : classify(*connection_, found);
}

Outcome DataFile::checkPages()
{
    const QStringList found = pragmaProblems(*connection_, "PRAGMA quick_check");
    return found.isEmpty() ? Outcome {} : classify(*connection_, found);
}

} // namespace nidora::data

namespace nidora::data {

QStringList DataFile::queryPlans()
{
    QStringList plans;
    for (const QByteArray& sql : connection_->cachedSql()) {
        if (!sql.contains(kRecordTable) || sql.startsWith("PRAGMA") || sql.startsWith("EXPLAIN"))
            continue;
        sql::Statement* explain = connection_->prepare("EXPLAIN QUERY PLAN " + sql);
        if (!explain)
            continue;
        sql::Connection::Use use(explain);
        QStringList steps;
        while (explain->step())
            steps << explain->text(3);
        plans << QString::fromUtf8(sql) + QStringLiteral(" => ") + steps.join(QStringLiteral("; "));
    }
    return plans;
}

} // namespace nidora::data
