#pragma once

#include "data/Schema.h"
#include "data/SqlSchema.h"

#include <QByteArray>

// Moving records between their C++ structs and the storage: values in the form the
// files keep them (STRING cut to its size in Windows-1252 characters without trailing
// spaces, memos cut to their size, DECIMAL and the other integers exact, REAL as double).
namespace nidora::data {

namespace sql {
class Statement;
}

// A value as stored for a column: text fitted to the field, numbers as int64 or double.
FieldValue storedValue(const Column& column, const FieldValue& value);
bool isBlank(const Column& column, const FieldValue& value);

void bindValue(sql::Statement& statement, int parameter, const Column& column, const FieldValue& value);
// Binds every column of the record, in column order, from parameter `first` on.
void bindRecord(sql::Statement& statement, int first, const SqlSchema& schema, const Record& record);
// Sets every column of the record from the statement's columns, from column `first` on.
void readRecord(const sql::Statement& statement, int first, const SqlSchema& schema, Record& record);
// Copies every column's value of one record of the schema's file into another.
void copyRecord(const SqlSchema& schema, const Record& from, Record& to);
FieldValue readValue(const sql::Statement& statement, int column, const Column& desc);

// The record's stored values as one byte string and back, for the enciphered file. decode
// fails (false) on bytes that do not hold exactly the schema's columns.
QByteArray encodeRecord(const SqlSchema& schema, const Record& record);
bool decodeRecord(const SqlSchema& schema, const QByteArray& bytes, Record& record);

// The stored values of a key's components in a record, in key order.
std::vector<FieldValue> keyValues(const SqlSchema& schema, int key, const Record& record);

// Orders two stored values of one column as the key does (text through the key collation).
int compareStored(const Column& column, const FieldValue& a, const FieldValue& b);

} // namespace nidora::data
