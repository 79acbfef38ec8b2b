#include "data/FileTransaction.h"

#include "data/DataFile.h"
#include "data/RecordStore.h"
#include "data/SqliteConnection.h"

#include <set>

namespace nidora::data {
namespace {

QByteArray literal(const QString& text)
{
    QByteArray out = "'";
    out += text.toUtf8().replace('\'', "''");
    out += '\'';
    return out;
}

} // namespace

FileTransaction::FileTransaction(std::vector<DataFile*> files)
    : files_(std::move(files))
{
}

FileTransaction::~FileTransaction()
{
    if (active_)
        rollback();
}

Outcome FileTransaction::refuse() const
{
    if (files_.empty() || int(files_.size()) > kMaxFiles)
        return failure(Status::Error, QStringLiteral("a transaction spans 1 to %1 files").arg(kMaxFiles));
    std::set<QString> paths;
    for (DataFile* file : files_) {
        if (!paths.insert(file->path()).second)
            return failure(Status::Error, QStringLiteral("%1 is named twice").arg(file->path()));
        if (file->readOnly())
            return failure(Status::ReadOnly, QStringLiteral("%1 was opened read-only").arg(file->path()));
        if (file->host_ || file->buffered_ || file->connection_->inTransaction())
            return failure(Status::Error, QStringLiteral("%1 is already in a transaction").arg(file->path()));
    }
    return {};
}

Outcome FileTransaction::attach()
{
    sql::Connection& host = *files_.front()->connection_;
    for (std::size_t k = 1; k < files_.size(); ++k) {
        DataFile& file = *files_[k];
        const QByteArray schema = "f" + QByteArray::number(qulonglong(k));
        const QByteArray name = sql::quoted(QString::fromUtf8(schema));
        if (!host.exec("ATTACH DATABASE " + literal(file.path()) + " AS " + name + "; PRAGMA " + name
                + ".journal_mode = DELETE; PRAGMA " + name + ".synchronous = FULL")) {
            const Outcome outcome = failure(host.error());
            detach();
            return outcome;
        }
        file.host_ = &host;
        file.attachedAs_ = schema;
    }
    return {};
}

void FileTransaction::detach()
{
    if (files_.size() == 1)
        return;
    sql::Connection& host = *files_.front()->connection_;
    // Statements prepared against the attached files go before their schemas do. A file on
    // its own keeps them: its numbering and inserts run in a transaction of their own each
    // time, and preparing every statement again would cost more than the write.
    host.dropStatements();
    for (std::size_t k = 1; k < files_.size(); ++k) {
        DataFile& file = *files_[k];
        if (!file.host_)
            continue;
        host.exec("DETACH DATABASE " + sql::quoted(QString::fromUtf8(file.attachedAs_)));
        file.host_ = nullptr;
        file.attachedAs_.clear();
    }
}

Outcome FileTransaction::begin(std::chrono::milliseconds wait)
{
    if (active_)
        return failure(Status::Error, QStringLiteral("the transaction has begun already"));
    Outcome outcome = refuse();
    if (outcome.ok())
        outcome = attach();
    if (!outcome.ok())
        return outcome;
    sql::Connection& host = *files_.front()->connection_;
    const std::chrono::milliseconds usual = host.busyTimeout();
    host.setBusyTimeout(wait);
    // IMMEDIATE takes the write lock of every attached file at once, so a transaction that
    // cannot have all of them fails here rather than half way through its writes.
    if (!host.exec("BEGIN IMMEDIATE"))
        outcome = failure(host.error());
    host.setBusyTimeout(usual);
    if (!outcome.ok()) {
        detach();
        return outcome;
    }
    active_ = true;
    return {};
}

Outcome FileTransaction::commit()
{
    if (!active_)
        return failure(Status::Error, QStringLiteral("no transaction is active"));
    sql::Connection& host = *files_.front()->connection_;
    if (!host.exec("COMMIT")) {
        const Outcome outcome = failure(host.error());
        // A commit that waited in vain for a lock leaves the transaction to retry or roll
        // back; one that failed otherwise has been rolled back by SQLite already.
        if (!host.inTransaction()) {
            active_ = false;
            detach();
        }
        return outcome;
    }
    active_ = false;
    detach();
    return {};
}

Outcome FileTransaction::rollback()
{
    if (!active_)
        return {};
    sql::Connection& host = *files_.front()->connection_;
    Outcome outcome;
    if (!host.exec("ROLLBACK"))
        outcome = failure(host.error());
    active_ = false;
    detach();
    return outcome;
}

} // namespace nidora::data
