#pragma once

#include "data/Schema.h"

#include <memory>
#include <vector>

// Moving whole records and single fields about without knowing their struct: everything goes
// through the file's field descriptors, so a buffer held as a plain Record can be copied,
// cleared and compared field by field.
namespace nidora::data {

// Copies every field element and every memo.
void copyRecord(const FileDesc& file, const Record& from, Record& to);
std::unique_ptr<Record> cloneRecord(const FileDesc& file, const Record& from);
// Copies every element of one field (or memo).
void copyField(const FieldDesc& field, const Record& from, Record& to);
// Blank strings and memos, zero numbers.
void clearRecord(const FileDesc& file, Record& record);

// The first element of a field (key components and linking fields are never arrays).
FieldValue fieldValue(const FieldDesc& field, const Record& record);
void setFieldValue(const FieldDesc& field, Record& record, const FieldValue& value);
// Spaces or zero.
void blankField(const FieldDesc& field, Record& record);
FieldValue blankValue(const FieldDesc& field);

// As a key compares them: STRING values regardless of case and trailing spaces.
bool sameKeyValue(const FieldDesc& field, const FieldValue& a, const FieldValue& b);
// As the file would store them: STRING values cut to the field and without trailing spaces,
// case included. A rename that only changes case is a change.
bool sameStoredValue(const FieldDesc& field, const FieldValue& a, const FieldValue& b);
bool isBlankValue(const FieldValue& value);

// The values of a key's components in a record, in key order; the first `count` of them
// when count is given.
std::vector<FieldValue> keyComponents(
    const FileDesc& file, const KeyDesc& key, const Record& record, int count = -1);

} // namespace nidora::data
