#include "data/AccessBuffer.h"

#include "core/Cp1252.h"

#include <algorithm>

namespace nidora::data {
namespace {

void blankElements(const FieldDesc& field, Record& record)
{
    const FieldValue blank = field.type == FieldType::String || field.type == FieldType::Memo
        ? FieldValue(QString())
        : field.type == FieldType::Real ? FieldValue(0.0)
                                        : FieldValue(std::int64_t(0));
    const int rows = std::max(field.dim1, 1);
    const int columns = std::max(field.dim2, 1);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j)
            field.set(record, i, j, blank);
    }
}

bool isText(const FieldDesc& field)
{
    return field.type == FieldType::String || field.type == FieldType::Memo;
}

QString textOf(const FieldValue& value)
{
    const QString* text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

double numberOf(const FieldValue& value)
{
    if (const std::int64_t* n = std::get_if<std::int64_t>(&value))
        return double(*n);
    if (const double* d = std::get_if<double>(&value))
        return *d;
    return 0.0;
}

} // namespace

void copyRecord(const FileDesc& file, const Record& from, Record& to)
{
    if (&from == &to)
        return;
    for (const FieldDesc& field : file.fields) {
        if (field.get)
            copyField(field, from, to);
    }
    for (const FieldDesc& memo : file.memos)
        copyField(memo, from, to);
}

void copyField(const FieldDesc& field, const Record& from, Record& to)
{
    const int rows = std::max(field.dim1, 1);
    const int columns = std::max(field.dim2, 1);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j)
            field.set(to, i, j, field.get(from, i, j));
    }
}

std::unique_ptr<Record> cloneRecord(const FileDesc& file, const Record& from)
{
    auto copy = file.makeRecord();
    copyRecord(file, from, *copy);
    return copy;
}

void clearRecord(const FileDesc& file, Record& record)
{
    for (const FieldDesc& field : file.fields) {
        if (field.set)
            blankElements(field, record);
    }
    for (const FieldDesc& memo : file.memos)
        blankElements(memo, record);
}

FieldValue fieldValue(const FieldDesc& field, const Record& record)
{
    return field.get(record, 0, 0);
}

void setFieldValue(const FieldDesc& field, Record& record, const FieldValue& value)
{
    field.set(record, 0, 0, value);
}

FieldValue blankValue(const FieldDesc& field)
{
    if (isText(field))
        return QString();
    if (field.type == FieldType::Real)
        return 0.0;
    return std::int64_t(0);
}

void blankField(const FieldDesc& field, Record& record)
{
    field.set(record, 0, 0, blankValue(field));
}

bool sameKeyValue(const FieldDesc& field, const FieldValue& a, const FieldValue& b)
{
    if (isText(field))
        return cp1252::compareAsKey(textOf(a), textOf(b)) == 0;
    return numberOf(a) == numberOf(b);
}

bool sameStoredValue(const FieldDesc& field, const FieldValue& a, const FieldValue& b)
{
    if (isText(field))
        return cp1252::fitToField(textOf(a), field.size) == cp1252::fitToField(textOf(b), field.size);
    return numberOf(a) == numberOf(b);
}

bool isBlankValue(const FieldValue& value)
{
    if (const QString* text = std::get_if<QString>(&value))
        return std::all_of(text->begin(), text->end(), [](QChar ch) { return ch == QLatin1Char(' '); });
    return numberOf(value) == 0.0;
}

std::vector<FieldValue> keyComponents(
    const FileDesc& file, const KeyDesc& key, const Record& record, int count)
{
    const int n = count < 0 ? int(key.components.size()) : std::min(count, int(key.components.size()));
    std::vector<FieldValue> values;
    values.reserve(std::size_t(n));
    for (int k = 0; k < n; ++k)
        values.push_back(fieldValue(file.fields[std::size_t(key.components[std::size_t(k)])], record));
    return values;
}

} // namespace nidora::data
