#pragma once

#include "data/DataFile.h"
#include "data/SqlSchema.h"

#include <QByteArray>

// How one data file's records are kept in its SQLite tables. PlainStore keeps a column per
// field element; EncipheredStore keeps each record sealed. DataFile picks one by the
// FileDesc and hands it the connection to use for each call.
namespace nidora::data {

namespace sql {
class Connection;
class Statement;
struct Error;
} // namespace sql

// The connection through which a file's tables are reached and the schema they are under:
// "main" on the file's own connection, "fN" while the file is attached to a transaction.
struct TableRoute {
    sql::Connection* connection;
    QByteArray schema;

    QByteArray table(const char* name) const; // "\"f1\".\"records\""
    QByteArray records() const { return table(kRecordTable); }
};

// The CREATE statements a file's database holds, by object name.
struct SchemaObject {
    QByteArray name; // unquoted, as sqlite_schema names it
    QByteArray sql;
    // An index as the first files defined it, before their keys followed the key order
    // (kKeyCollation); empty when it was defined as it is now.
    QByteArray firstOrderSql {};
};
struct SchemaDefinition {
    std::vector<SchemaObject> tables;
    std::vector<SchemaObject> indexes;
};

Outcome failure(const sql::Error& error);
Outcome failure(Status status, const QString& text);

class RecordStore {
public:
    explicit RecordStore(const FileDesc& file)
        : schema_(file)
    {
    }
    virtual ~RecordStore() = default;

    const SqlSchema& schema() const { return schema_; }
    virtual SchemaDefinition definition() const = 0;
    // After the file is created (fresh) or opened: anything beyond the tables, such as the
    // enciphered file's keys.
    virtual Outcome prepare(sql::Connection& connection, bool fresh, const QByteArray& password) = 0;

    virtual Outcome fetch(const TableRoute& route, int key, const std::vector<FieldValue>& values,
        Record& record, RecordRef* ref)
        = 0;
    virtual Outcome pageByKey(const TableRoute& route, int key, const Position& from, Direction direction,
        int n, const RowVisitor& visit)
        = 0;
    virtual Outcome highest(const TableRoute& route, int key, std::int64_t& value) = 0;

    Outcome read(const TableRoute& route, std::int64_t id, Record& record, RecordRef* ref);
    Outcome pageById(
        const TableRoute& route, const Position& from, Direction direction, int n, const RowVisitor& visit);
    virtual Outcome add(const TableRoute& route, const Record& record, RecordRef* added);
    Outcome change(const TableRoute& route, RecordRef& ref, const Record& record);
    Outcome remove(const TableRoute& route, std::int64_t id);
    Outcome count(const TableRoute& route, std::int64_t& records);

    // Set-based writes of a cascade, each one statement: every record whose key's leading
    // components equal values gets the fields set (and a new version), or is removed. Only
    // where the records are kept by column (setBased); the enciphered file is changed record
    // by record.
    virtual bool setBased() const { return false; }
    virtual Outcome changeAll(const TableRoute& route, int key, const std::vector<FieldValue>& values,
        const std::vector<FieldSetting>& set, std::int64_t& changed);
    virtual Outcome removeAll(
        const TableRoute& route, int key, const std::vector<FieldValue>& values, std::int64_t& removed);

protected:
    // The columns a row is read from after "_id", "_version", and how they become a record;
    // false when the stored row cannot be a record of this file (Damaged).
    virtual QByteArray rowColumns() const = 0;
    virtual bool decodeRow(const sql::Statement& statement, int first, Record& record) = 0;
    // The (quoted) columns a record is written to, and their values in that order for the
    // record with identity id.
    virtual std::vector<QByteArray> writeColumns() const = 0;
    virtual void bindRow(sql::Statement& statement, int first, const Record& record, std::int64_t id) = 0;
    // Outcome of a failed write: Duplicate naming the key when a unique key refused it.
    Outcome writeFailure(const TableRoute& route, const Record& record, std::int64_t exceptId);
    // After a constraint failure: the unique key another record (not exceptId) shares.
    virtual const KeyDesc* duplicatedKey(const TableRoute& route, const Record& record, std::int64_t exceptId)
        = 0;

    // Steps a prepared SELECT of "_id, _version, rowColumns()" and collects its rows,
    // resetting the statement before returning.
    struct Row {
        RecordRef ref;
        std::unique_ptr<Record> record;
    };
    Outcome collect(sql::Statement* statement, const TableRoute& route, std::vector<Row>& rows);
    // Steps such a SELECT once into record; NotFound (with notFound as its text) when it
    // yields no row.
    Outcome readOne(sql::Statement* statement, const TableRoute& route, Record& record, RecordRef* ref,
        const QString& notFound);
    Outcome missing(const TableRoute& route) const;
    // Collects such a SELECT's rows, then, with the statement reset, shows each to visit.
    Outcome visitRows(sql::Statement* statement, const TableRoute& route, const RowVisitor& visit);

    SqlSchema schema_;

private:
    // "(columns) VALUES (?, ...)" of an insert, made once: fills add records by the hundred
    // thousand, and building the text for each of them was most of an insert's cost.
    const QByteArray& insertColumns();
    QByteArray insertColumns_;
};

} // namespace nidora::data
