#include "data/SqliteConnection.h"

#include "data/LockPause.h"

#include <sqlite3.h>

#include <algorithm>
#include <iterator>

namespace nidora::data::sql {

bool Error::busy() const
{
    const int primary = code & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

bool Error::corrupt() const
{
    const int primary = code & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool Error::readOnly() const
{
    return (code & 0xFF) == SQLITE_READONLY;
}

bool Error::constraint() const
{
    return (code & 0xFF) == SQLITE_CONSTRAINT;
}

// ---- Statement ---------------------------------------------------------------------------

Statement::Statement(Connection& connection, sqlite3_stmt* statement)
    : connection_(connection)
    , statement_(statement)
{
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

void Statement::bindNull(int index)
{
    sqlite3_bind_null(statement_, index);
}

void Statement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bind(int index, double value)
{
    sqlite3_bind_double(statement_, index, value);
}

void Statement::bind(int index, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bindBlob(int index, const QByteArray& bytes)
{
    sqlite3_bind_blob(statement_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

bool Statement::step()
{
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    ok_ = rc == SQLITE_DONE;
    if (!ok_)
        connection_.takeError();
    return false;
}

void Statement::reset()
{
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    ok_ = true;
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Statement::int64(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const
{
    return sqlite3_column_double(statement_, column);
}

QString Statement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QString::fromUtf8(data, sqlite3_column_bytes(statement_, column));
}

QByteArray Statement::blob(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return QByteArray(data, sqlite3_column_bytes(statement_, column));
}

int Statement::columnCount() const
{
    return sqlite3_column_count(statement_);
}

// ---- Connection --------------------------------------------------------------------------

Connection::Connection(const QString& path, bool readOnly, bool create)
{
    int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (create && !readOnly)
        flags |= SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        error_.code = db ? sqlite3_extended_errcode(db) : rc;
        error_.text = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        return;
    }
    db_ = db;
    sqlite3_extended_result_codes(db_, 1);
}

Connection::~Connection()
{
    statements_.clear();
    sqlite3_close(db_);
}

bool Connection::isReadOnly() const
{
    return db_ && sqlite3_db_readonly(db_, "main") == 1;
}

bool Connection::exec(const QByteArray& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        error_.code = sqlite3_extended_errcode(db_);
        error_.text = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
    }
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

Statement* Connection::prepare(const QByteArray& sql)
{
    auto found = statements_.find(sql);
    if (found != statements_.end())
        return found->second.get();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(
            db_, sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
        != SQLITE_OK) {
        takeError();
        return nullptr;
    }
    auto& slot = statements_[sql];
    slot = std::make_unique<Statement>(*this, statement);
    return slot.get();
}

void Connection::dropStatements()
{
    statements_.clear();
}

std::vector<QByteArray> Connection::cachedSql() const
{
    std::vector<QByteArray> sql;
    for (const auto& entry : statements_)
        sql.push_back(entry.first);
    return sql;
}

void Connection::setBusyTimeout(std::chrono::milliseconds wait)
{
    busyTimeout_ = wait;
    sqlite3_busy_handler(db_, wait.count() > 0 ? &Connection::onBusy : nullptr, this);
}

int Connection::onBusy(void* connection, int attempts)
{
    // Short pauses first, as a lock is usually let go within a commit or two, and never long
    // ones: a connection that looks again only now and then loses the lock, again and again,
    // to stations that write one record after another.
    static constexpr int kPauses[] = { 1, 2, 5, 10 };
    auto& self = *static_cast<Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempts == 0)
        self.busySince_ = now;
    const auto left
        = self.busyTimeout_ - std::chrono::duration_cast<std::chrono::milliseconds>(now - self.busySince_);
    if (left.count() <= 0)
        return 0;
    const int pause = kPauses[std::min<std::size_t>(std::size_t(attempts), std::size(kPauses) - 1)];
    return pauseForLock(std::min(std::chrono::milliseconds(pause), left)) ? 1 : 0;
}

bool Connection::inTransaction() const
{
    return sqlite3_get_autocommit(db_) == 0;
}

std::int64_t Connection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(db_);
}

int Connection::changes() const
{
    return sqlite3_changes(db_);
}

void Connection::takeError()
{
    error_.code = sqlite3_extended_errcode(db_);
    error_.text = QString::fromUtf8(sqlite3_errmsg(db_));
}

void Connection::setError(int code, const QString& text)
{
    error_.code = code;
    error_.text = text;
}

QByteArray quoted(const QString& identifier)
{
    QByteArray out = "\"";
    out += identifier.toUtf8().replace('"', "\"\"");
    out += '"';
    return out;
}

} // namespace nidora::data::sql
