#pragma once

#include "data/Schema.h"

#include <QByteArray>

#include <vector>

// The SQLite shape of a data file, derived from its FileDesc and from nothing else: one
// table "records" with a column per field element (memos included), the record identity
// "_id" (AUTOINCREMENT, so a deleted identity never comes back) and the per-record
// version "_version"; one index per key, named by the key.
namespace nidora::data {

// One column of the records table: a field element or a memo.
struct Column {
    QString name; // "NOMBRE", "PUERTAS_3", "NOTAS_2_1"
    const FieldDesc* field = nullptr;
    int i = 0; // element indices for FieldDesc::get/set
    int j = 0;
    bool memo = false;
};

class SqlSchema {
public:
    explicit SqlSchema(const FileDesc& file);

    const FileDesc& file() const { return file_; }
    const std::vector<Column>& columns() const { return columns_; }

    // The column that holds a key's component (the first element of a DIM field).
    const Column& componentColumn(int fieldIndex) const;
    int keyIndex(const KeyDesc& key) const; // -1 when the key is not this file's

    // Every column, quoted, in order: "\"CODIGO\", \"NOMBRE\", ...".
    QByteArray fieldList() const;

    QByteArray createTable() const;
    // A key's index, its text components in the key order (kKeyCollation).
    QByteArray createIndex(int key) const;
    // The same index as the first files defined it, its text in the columns' own collation
    // (kColumnCollation): a file that holds it is re-indexed when it is opened.
    QByteArray createIndexInFirstOrder(int key) const;
    // A key component as every query on the key names it: a text column with the key
    // collation, as its index has it.
    QByteArray componentTerm(int fieldIndex) const;

    // For a key that leaves blank entries out: "NOT (\"A\" = '' AND \"B\" = 0)"; empty when
    // the key indexes blanks. Every query on the key repeats it word for word, or SQLite
    // does not use the partial index and scans the table.
    QByteArray blankCondition(int key) const;
    QByteArray componentList(int key, bool descending) const; // with "_id" last

private:
    QByteArray indexDefinition(int key, bool keyOrder) const;

    const FileDesc& file_;
    std::vector<Column> columns_;
    std::vector<int> fieldColumn_; // first column of each field, -1 for a GROUP
};

// The identity and version columns, and the table every data file keeps its records in.
inline constexpr const char* kIdColumn = "\"_id\"";
inline constexpr const char* kVersionColumn = "\"_version\"";
inline constexpr const char* kRecordTable = "\"records\"";

} // namespace nidora::data
