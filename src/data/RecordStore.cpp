#include "data/RecordStore.h"

#include "data/SqliteConnection.h"

namespace nidora::data {

QByteArray TableRoute::table(const char* name) const
{
    return sql::quoted(QString::fromUtf8(schema)) + '.' + name;
}

Outcome failure(const sql::Error& error)
{
    Outcome outcome;
    outcome.code = error.code;
    outcome.text = error.text;
    if (error.busy())
        outcome.status = Status::Locked;
    else if (error.corrupt())
        outcome.status = Status::Damaged;
    else if (error.readOnly())
        outcome.status = Status::ReadOnly;
    else
        outcome.status = Status::Error;
    return outcome;
}

Outcome failure(Status status, const QString& text)
{
    Outcome outcome;
    outcome.status = status;
    outcome.text = text;
    return outcome;
}

Outcome RecordStore::missing(const TableRoute& route) const
{
    return failure(route.connection->error());
}

Outcome RecordStore::collect(sql::Statement* statement, const TableRoute& route, std::vector<Row>& rows)
{
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    while (statement->step()) {
        Row row;
        row.ref = RecordRef { statement->int64(0), statement->int64(1) };
        row.record = schema_.file().makeRecord();
        if (!decodeRow(*statement, 2, *row.record))
            return failure(Status::Damaged, QStringLiteral("record %1 cannot be read back").arg(row.ref.id));
        rows.push_back(std::move(row));
    }
    if (!statement->ok())
        return missing(route);
    return {};
}

Outcome RecordStore::visitRows(sql::Statement* statement, const TableRoute& route, const RowVisitor& visit)
{
    std::vector<Row> rows;
    const Outcome outcome = collect(statement, route, rows);
    if (outcome.ok())
        for (const Row& row : rows)
            visit(row.ref, *row.record);
    return outcome;
}

Outcome RecordStore::readOne(sql::Statement* statement, const TableRoute& route, Record& record,
    RecordRef* ref, const QString& notFound)
{
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    if (!statement->step())
        return statement->ok() ? failure(Status::NotFound, notFound) : missing(route);
    if (!decodeRow(*statement, 2, record))
        return failure(
            Status::Damaged, QStringLiteral("record %1 cannot be read back").arg(statement->int64(0)));
    if (ref)
        *ref = RecordRef { statement->int64(0), statement->int64(1) };
    return {};
}

Outcome RecordStore::read(const TableRoute& route, std::int64_t id, Record& record, RecordRef* ref)
{
    sql::Statement* statement = route.connection->prepare("SELECT " + QByteArray(kIdColumn) + ", "
        + kVersionColumn + ", " + rowColumns() + " FROM " + route.records() + " WHERE " + kIdColumn + " = ?");
    if (statement)
        statement->bind(1, id);
    return readOne(statement, route, record, ref, QStringLiteral("no record %1").arg(id));
}

Outcome RecordStore::pageById(
    const TableRoute& route, const Position& from, Direction direction, int n, const RowVisitor& visit)
{
    const bool forward = direction == Direction::Forward;
    QByteArray sql = "SELECT " + QByteArray(kIdColumn) + ", " + kVersionColumn + ", " + rowColumns()
        + " FROM " + route.records();
    if (from.id != 0)
        sql += QByteArray(" WHERE ") + kIdColumn + (forward ? " > ?" : " < ?");
    sql += QByteArray(" ORDER BY ") + kIdColumn + (forward ? "" : " DESC") + " LIMIT ?";
    sql::Statement* statement = route.connection->prepare(sql);
    if (!statement)
        return missing(route);
    int parameter = 1;
    if (from.id != 0)
        statement->bind(parameter++, from.id);
    statement->bind(parameter, std::int64_t(n));
    return visitRows(statement, route, visit);
}

Outcome RecordStore::writeFailure(const TableRoute& route, const Record& record, std::int64_t exceptId)
{
    Outcome outcome = missing(route);
    if (route.connection->error().constraint()) {
        if (const KeyDesc* key = duplicatedKey(route, record, exceptId)) {
            outcome.status = Status::Duplicate;
            outcome.key = key;
        }
    }
    return outcome;
}

const QByteArray& RecordStore::insertColumns()
{
    if (insertColumns_.isEmpty()) {
        QByteArray columns;
        QByteArray values;
        for (const QByteArray& column : writeColumns()) {
            columns += (columns.isEmpty() ? "" : ", ") + column;
            values += values.isEmpty() ? "?" : ", ?";
        }
        insertColumns_ = " (" + columns + ") VALUES (" + values + ")";
    }
    return insertColumns_;
}

Outcome RecordStore::add(const TableRoute& route, const Record& record, RecordRef* added)
{
    sql::Statement* statement = route.connection->prepare("INSERT INTO " + route.records() + insertColumns());
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    bindRow(*statement, 1, record, 0);
    statement->step();
    if (!statement->ok())
        return writeFailure(route, record, 0);
    if (added)
        *added = RecordRef { route.connection->lastInsertId(), 1 };
    return {};
}

Outcome RecordStore::change(const TableRoute& route, RecordRef& ref, const Record& record)
{
    const std::vector<QByteArray> columns = writeColumns();
    QByteArray assignments;
    for (const QByteArray& column : columns)
        assignments += column + " = ?, ";
    sql::Statement* statement
        = route.connection->prepare("UPDATE " + route.records() + " SET " + assignments + kVersionColumn
            + " = " + kVersionColumn + " + 1 WHERE " + kIdColumn + " = ? AND " + kVersionColumn + " = ?");
    if (!statement)
        return missing(route);
    {
        sql::Connection::Use use(statement);
        bindRow(*statement, 1, record, ref.id);
        const int next = int(columns.size()) + 1;
        statement->bind(next, ref.id);
        statement->bind(next + 1, ref.version);
        statement->step();
        if (!statement->ok())
            return writeFailure(route, record, ref.id);
    }
    if (route.connection->changes() == 1) {
        ++ref.version;
        return {};
    }
    // Nothing matched: the record is gone, or it is at another version than was read.
    auto current = schema_.file().makeRecord();
    RecordRef stored;
    const Outcome reread = read(route, ref.id, *current, &stored);
    if (reread.status == Status::NotFound)
        return failure(
            Status::NotFound, QStringLiteral("record %1 was deleted by another station").arg(ref.id));
    if (!reread.ok())
        return reread;
    return failure(Status::Changed, QStringLiteral("record %1 was changed by another station").arg(ref.id));
}

Outcome RecordStore::remove(const TableRoute& route, std::int64_t id)
{
    sql::Statement* statement
        = route.connection->prepare("DELETE FROM " + route.records() + " WHERE " + kIdColumn + " = ?");
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    statement->bind(1, id);
    statement->step();
    if (!statement->ok())
        return missing(route);
    if (route.connection->changes() == 0)
        return failure(Status::NotFound, QStringLiteral("no record %1").arg(id));
    return {};
}

Outcome RecordStore::count(const TableRoute& route, std::int64_t& records)
{
    sql::Statement* statement = route.connection->prepare("SELECT count(*) FROM " + route.records());
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    if (!statement->step())
        return missing(route);
    records = statement->int64(0);
    return {};
}

Outcome RecordStore::changeAll(
    const TableRoute&, int, const std::vector<FieldValue>&, const std::vector<FieldSetting>&, std::int64_t&)
{
    return failure(Status::Error, QStringLiteral("%1 is changed record by record").arg(schema_.file().label));
}

Outcome RecordStore::removeAll(const TableRoute&, int, const std::vector<FieldValue>&, std::int64_t&)
{
    return failure(Status::Error, QStringLiteral("%1 is changed record by record").arg(schema_.file().label));
}

} // namespace nidora::data
