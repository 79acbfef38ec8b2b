#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// A thin RAII layer over the SQLite C API: one connection, its prepared statements and the
// error of the last call. Nothing here knows about data files; DataFile builds on it.
namespace nidora::data::sql {

// What a failed call left behind: SQLite's extended result code and its message.
struct Error {
    int code = 0;
    QString text;

    bool busy() const; // a lock held elsewhere outlasted the wait
    bool corrupt() const; // not a database, or damaged pages
    bool readOnly() const; // the file or the connection cannot be written
    bool constraint() const;
};

class Connection;

// A prepared statement. Parameters are numbered from 1, columns from 0. A statement is
// reset after each use (see Connection::Use), so it never holds a read lock between calls.
class Statement {
public:
    Statement(Connection& connection, sqlite3_stmt* statement);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int index);
    void bind(int index, std::int64_t value);
    void bind(int index, double value);
    void bind(int index, const QString& text);
    void bindBlob(int index, const QByteArray& bytes);

    // True while a row is available; false at the end or on an error (see ok()).
    bool step();
    bool ok() const { return ok_; }
    void reset();

    bool isNull(int column) const;
    std::int64_t int64(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    int columnCount() const;

private:
    Connection& connection_;
    sqlite3_stmt* statement_;
    bool ok_ = true;
};

class Connection {
public:
    // Opens (and with create, creates) the database at path. Check error() afterwards: a
    // failed open still yields an object whose error says why.
    Connection(const QString& path, bool readOnly, bool create);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const { return db_ != nullptr; }
    bool isReadOnly() const;
    sqlite3* handle() const { return db_; }

    // Runs one or more statements without results; false on error.
    bool exec(const QByteArray& sql);

    // A cached statement, reset on release. Use it through Use so that it is reset even
    // when the caller returns early.
    Statement* prepare(const QByteArray& sql);
    // Finalizes every cached statement (before DETACH, or when the schema changes).
    void dropStatements();
    std::vector<QByteArray> cachedSql() const;

    // How long a call waits for a lock held elsewhere before it fails with SQLITE_BUSY. The
    // waiting itself is the pause of LockPause.h, never a sleep inside SQLite.
    void setBusyTimeout(std::chrono::milliseconds wait);
    std::chrono::milliseconds busyTimeout() const { return busyTimeout_; }
    bool inTransaction() const;
    std::int64_t lastInsertId() const;
    int changes() const;

    const Error& error() const { return error_; }
    void takeError(); // records the connection's current error
    void setError(int code, const QString& text);

    // Resets a statement when it goes out of scope.
    class Use {
    public:
        explicit Use(Statement* statement)
            : statement_(statement)
        {
        }
        ~Use()
        {
            if (statement_)
                statement_->reset();
        }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        Statement* operator->() const { return statement_; }
        explicit operator bool() const { return statement_ != nullptr; }

    private:
        Statement* statement_;
    };

private:
    static int onBusy(void* connection, int attempts);

    sqlite3* db_ = nullptr;
    Error error_;
    std::chrono::milliseconds busyTimeout_ { 0 };
    std::chrono::steady_clock::time_point busySince_;
    std::map<QByteArray, std::unique_ptr<Statement>> statements_;
};

// A double-quoted SQL identifier ("main", "PAC:CODIGO" never needs more than doubling quotes).
QByteArray quoted(const QString& identifier);

} // namespace nidora::data::sql
