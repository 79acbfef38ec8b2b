#include "data/PlainStore.h"

#include "data/KeyOrderGuard.h"
#include "data/RecordCodec.h"
#include "data/SqliteConnection.h"

#include <sqlite3.h>

namespace nidora::data {

SchemaDefinition PlainStore::definition() const
{
    SchemaDefinition definition;
    definition.tables.push_back({ "records", schema_.createTable() });
    for (std::size_t k = 0; k < schema_.file().keys.size(); ++k) {
        SchemaObject index { schema_.file().keys[k].name.toUtf8(), schema_.createIndex(int(k)) };
        if (QByteArray first = schema_.createIndexInFirstOrder(int(k)); first != index.sql)
            index.firstOrderSql = std::move(first);
        definition.indexes.push_back(std::move(index));
    }
    return definition;
}

bool PlainStore::decodeRow(const sql::Statement& statement, int first, Record& record)
{
    readRecord(statement, first, schema_, record);
    return true;
}

std::vector<QByteArray> PlainStore::writeColumns() const
{
    std::vector<QByteArray> columns;
    for (const Column& column : schema_.columns())
        columns.push_back(sql::quoted(column.name));
    return columns;
}

void PlainStore::bindRow(sql::Statement& statement, int first, const Record& record, std::int64_t)
{
    bindRecord(statement, first, schema_, record);
}

QByteArray PlainStore::keyedSelect(const TableRoute& route, int key) const
{
    QByteArray sql = "SELECT " + QByteArray(kIdColumn) + ", " + kVersionColumn + ", " + rowColumns()
        + " FROM " + route.records() + " WHERE ";
    const QByteArray blank = schema_.blankCondition(key);
    sql += blank.isEmpty() ? QByteArray("1") : blank;
    return sql + " AND ";
}

QByteArray PlainStore::keyMatch(int key, std::size_t count) const
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const QByteArray blank = schema_.blankCondition(key);
    QByteArray sql = blank.isEmpty() ? QByteArray("1") : blank;
    for (std::size_t c = 0; c < count; ++c)
        sql += " AND " + schema_.componentTerm(desc.components[c]) + " = ?";
    return sql;
}

Outcome PlainStore::changeAll(const TableRoute& route, int key, const std::vector<FieldValue>& values,
    const std::vector<FieldSetting>& set, std::int64_t& changed)
{
    const FileDesc& file = schema_.file();
    const std::size_t count = std::min(values.size(), file.keys[std::size_t(key)].components.size());
    std::vector<const Column*> columns;
    QByteArray assignments;
    for (const FieldSetting& setting : set) {
        columns.push_back(&schema_.componentColumn(file.fieldIndex(setting.field->name)));
        assignments += sql::quoted(columns.back()->name) + " = ?, ";
    }
    sql::Statement* statement = route.connection->prepare("UPDATE " + route.records() + " SET " + assignments
        + kVersionColumn + " = " + kVersionColumn + " + 1 WHERE " + keyMatch(key, count));
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    int parameter = 1;
    for (std::size_t s = 0; s < set.size(); ++s)
        bindValue(*statement, parameter++, *columns[s], set[s].value);
    bindComponents(*statement, parameter, key, values, count);
    statement->step();
    if (!statement->ok()) {
        Outcome outcome = missing(route);
        if (route.connection->error().constraint())
            outcome.status = Status::Duplicate;
        return outcome;
    }
    changed = route.connection->changes();
    return {};
}

Outcome PlainStore::removeAll(
    const TableRoute& route, int key, const std::vector<FieldValue>& values, std::int64_t& removed)
{
    const std::size_t count
        = std::min(values.size(), schema_.file().keys[std::size_t(key)].components.size());
    sql::Statement* statement
        = route.connection->prepare("DELETE FROM " + route.records() + " WHERE " + keyMatch(key, count));
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    int parameter = 1;
    bindComponents(*statement, parameter, key, values, count);
    statement->step();
    if (!statement->ok())
        return missing(route);
    removed = route.connection->changes();
    return {};
}

QByteArray PlainStore::componentTuple(int key, std::size_t count) const
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    QByteArray tuple;
    for (std::size_t c = 0; c < count; ++c)
        tuple += (c == 0 ? "" : ", ") + schema_.componentTerm(desc.components[c]);
    return tuple;
}

void PlainStore::bindComponents(sql::Statement& statement, int& parameter, int key,
    const std::vector<FieldValue>& values, std::size_t count) const
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    for (std::size_t c = 0; c < count; ++c)
        bindValue(statement, parameter++, schema_.componentColumn(desc.components[c]), values[c]);
}

Outcome PlainStore::fetch(
    const TableRoute& route, int key, const std::vector<FieldValue>& values, Record& record, RecordRef* ref)
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const std::size_t count = std::min(values.size(), desc.components.size());
    QByteArray sql = "SELECT " + QByteArray(kIdColumn) + ", " + kVersionColumn + ", " + rowColumns()
        + " FROM " + route.records() + " WHERE " + keyMatch(key, count);
    // A unique key matched on every component has one record at most, and asking SQLite
    // to order it would make it sort.
    if (!desc.unique || count < desc.components.size())
        sql += " ORDER BY " + schema_.componentList(key, false);
    sql += " LIMIT 1";
    sql::Statement* statement = route.connection->prepare(sql);
    if (!statement)
        return missing(route);
    int parameter = 1;
    bindComponents(*statement, parameter, key, values, count);
    const Outcome read
        = readOne(statement, route, record, ref, QStringLiteral("no record for the key %1").arg(desc.name));
    // A damaged key page can point at another record than the one asked for.
    if (read.ok() && compareKeyValues(schema_, key, keyValues(schema_, key, record), values, count) != 0)
        return Outcome { Status::KeysDamaged, nullptr, SQLITE_CORRUPT_INDEX,
            QStringLiteral("the key %1 gave a record of other values").arg(desc.name) };
    return read;
}

Outcome PlainStore::pageByKey(const TableRoute& route, int key, const Position& from, Direction direction,
    int n, const RowVisitor& visit)
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const bool forward = direction == Direction::Forward;
    const std::size_t count = std::min(from.values.size(), desc.components.size());
    const bool resume = count == desc.components.size() && from.id != 0;
    QByteArray sql = keyedSelect(route, key);
    if (count == 0) {
        sql += "1";
    } else if (resume) {
        sql += "(" + componentTuple(key, count) + ", " + kIdColumn + ")" + (forward ? " > " : " < ") + "(";
        for (std::size_t c = 0; c <= count; ++c)
            sql += c == 0 ? "?" : ", ?";
        sql += ")";
    } else {
        sql += "(" + componentTuple(key, count) + ")" + (forward ? " >= " : " <= ") + "(";
        for (std::size_t c = 0; c < count; ++c)
            sql += c == 0 ? "?" : ", ?";
        sql += ")";
    }
    sql += " ORDER BY " + schema_.componentList(key, !forward) + " LIMIT ?";
    sql::Statement* statement = route.connection->prepare(sql);
    if (!statement)
        return missing(route);
    int parameter = 1;
    bindComponents(*statement, parameter, key, from.values, count);
    if (resume)
        statement->bind(parameter++, from.id);
    statement->bind(parameter, std::int64_t(n));
    KeyOrderGuard guard(schema_, key, from, direction);
    bool refused = false;
    const Outcome read = visitRows(statement, route, [&](const RecordRef& ref, const Record& record) {
        refused = refused || !guard.accept(record, ref.id);
        if (!refused)
            visit(ref, record);
    });
    return read.ok() && refused ? guard.outOfOrder() : read;
}

Outcome PlainStore::highest(const TableRoute& route, int key, std::int64_t& value)
{
    const KeyDesc& desc = schema_.file().keys[std::size_t(key)];
    const QByteArray column = sql::quoted(schema_.componentColumn(desc.components.front()).name);
    const QByteArray blank = schema_.blankCondition(key);
    QByteArray sql = "SELECT " + column + " FROM " + route.records();
    if (!blank.isEmpty())
        sql += " WHERE " + blank;
    sql += " ORDER BY " + schema_.componentList(key, true) + " LIMIT 1";
    sql::Statement* statement = route.connection->prepare(sql);
    if (!statement)
        return missing(route);
    sql::Connection::Use use(statement);
    if (!statement->step())
        return statement->ok()
            ? failure(Status::NotFound, QStringLiteral("the key %1 is empty").arg(desc.name))
            : missing(route);
    value = statement->int64(0);
    return {};
}

const KeyDesc* PlainStore::duplicatedKey(const TableRoute& route, const Record& record, std::int64_t exceptId)
{
    for (std::size_t k = 0; k < schema_.file().keys.size(); ++k) {
        const KeyDesc& desc = schema_.file().keys[k];
        if (!desc.unique)
            continue;
        const std::vector<FieldValue> values = keyValues(schema_, int(k), record);
        QByteArray sql = keyedSelect(route, int(k));
        for (std::size_t c = 0; c < values.size(); ++c)
            sql += (c == 0 ? "" : " AND ") + schema_.componentTerm(desc.components[c]) + " = ?";
        sql += QByteArray(" AND ") + kIdColumn + " <> ? LIMIT 1";
        sql::Statement* statement = route.connection->prepare(sql);
        if (!statement)
            continue;
        sql::Connection::Use use(statement);
        int parameter = 1;
        bindComponents(*statement, parameter, int(k), values, values.size());
        statement->bind(parameter, exceptId);
        if (statement->step())
            return &desc;
    }
    return nullptr;
}

} // namespace nidora::data
