#include "data/RecordCodec.h"

#include "core/Cp1252.h"
#include "data/SqliteConnection.h"

#include <QtEndian>

#include <cmath>
#include <cstring>

namespace nidora::data {
namespace {

std::int64_t asInteger(const FieldValue& value)
{
    if (const std::int64_t* n = std::get_if<std::int64_t>(&value))
        return *n;
    if (const double* d = std::get_if<double>(&value))
        return std::llround(*d);
    return 0;
}

double asReal(const FieldValue& value)
{
    if (const double* d = std::get_if<double>(&value))
        return *d;
    if (const std::int64_t* n = std::get_if<std::int64_t>(&value))
        return double(*n);
    return 0.0;
}

QString asText(const FieldValue& value)
{
    const QString* text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

enum class Kind { Integer, Real, Text };

Kind kindOf(const Column& column)
{
    if (column.memo || column.field->type == FieldType::String)
        return Kind::Text;
    return column.field->type == FieldType::Real ? Kind::Real : Kind::Integer;
}

void appendInt64(QByteArray& out, std::int64_t value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

bool takeInt64(const QByteArray& in, qsizetype& at, std::int64_t& value)
{
    if (in.size() - at < 8)
        return false;
    value = qFromLittleEndian<std::int64_t>(in.constData() + at);
    at += 8;
    return true;
}

} // namespace

FieldValue storedValue(const Column& column, const FieldValue& value)
{
    switch (kindOf(column)) {
    case Kind::Text:
        return column.memo ? asText(value).left(column.field->size)
                           : cp1252::fitToField(asText(value), column.field->size);
    case Kind::Real:
        return asReal(value);
    case Kind::Integer:
        break;
    }
    return asInteger(value);
}

bool isBlank(const Column& column, const FieldValue& value)
{
    const FieldValue stored = storedValue(column, value);
    if (const QString* text = std::get_if<QString>(&stored))
        return text->isEmpty();
    if (const double* d = std::get_if<double>(&stored))
        return *d == 0.0;
    return std::get<std::int64_t>(stored) == 0;
}

void bindValue(sql::Statement& statement, int parameter, const Column& column, const FieldValue& value)
{
    const FieldValue stored = storedValue(column, value);
    if (const QString* text = std::get_if<QString>(&stored))
        statement.bind(parameter, *text);
    else if (const double* d = std::get_if<double>(&stored))
        statement.bind(parameter, *d);
    else
        statement.bind(parameter, std::get<std::int64_t>(stored));
}

void bindRecord(sql::Statement& statement, int first, const SqlSchema& schema, const Record& record)
{
    int parameter = first;
    for (const Column& column : schema.columns())
        bindValue(statement, parameter++, column, column.field->get(record, column.i, column.j));
}

FieldValue readValue(const sql::Statement& statement, int column, const Column& desc)
{
    switch (kindOf(desc)) {
    case Kind::Text:
        return statement.text(column);
    case Kind::Real:
        return statement.real(column);
    case Kind::Integer:
        break;
    }
    return statement.int64(column);
}

void readRecord(const sql::Statement& statement, int first, const SqlSchema& schema, Record& record)
{
    int index = first;
    for (const Column& column : schema.columns())
        column.field->set(record, column.i, column.j, readValue(statement, index++, column));
}

void copyRecord(const SqlSchema& schema, const Record& from, Record& to)
{
    for (const Column& column : schema.columns())
        column.field->set(to, column.i, column.j, column.field->get(from, column.i, column.j));
}

QByteArray encodeRecord(const SqlSchema& schema, const Record& record)
{
    QByteArray out;
    for (const Column& column : schema.columns()) {
        const FieldValue value = storedValue(column, column.field->get(record, column.i, column.j));
        if (const QString* text = std::get_if<QString>(&value)) {
            const QByteArray utf8 = text->toUtf8();
            appendInt64(out, utf8.size());
            out += utf8;
        } else if (const double* d = std::get_if<double>(&value)) {
            std::int64_t bits = 0;
            std::memcpy(&bits, d, sizeof bits);
            appendInt64(out, bits);
        } else {
            appendInt64(out, std::get<std::int64_t>(value));
        }
    }
    return out;
}

bool decodeRecord(const SqlSchema& schema, const QByteArray& bytes, Record& record)
{
    qsizetype at = 0;
    for (const Column& column : schema.columns()) {
        std::int64_t n = 0;
        if (!takeInt64(bytes, at, n))
            return false;
        FieldValue value;
        switch (kindOf(column)) {
        case Kind::Text:
            if (n < 0 || n > bytes.size() - at)
                return false;
            value = QString::fromUtf8(bytes.constData() + at, qsizetype(n));
            at += qsizetype(n);
            break;
        case Kind::Real: {
            double d = 0;
            std::memcpy(&d, &n, sizeof d);
            value = d;
            break;
        }
        case Kind::Integer:
            value = n;
            break;
        }
        column.field->set(record, column.i, column.j, value);
    }
    return at == bytes.size();
}

std::vector<FieldValue> keyValues(const SqlSchema& schema, int key, const Record& record)
{
    std::vector<FieldValue> values;
    for (int component : schema.file().keys[std::size_t(key)].components) {
        const Column& column = schema.componentColumn(component);
        values.push_back(storedValue(column, column.field->get(record, column.i, column.j)));
    }
    return values;
}

int compareStored(const Column& column, const FieldValue& a, const FieldValue& b)
{
    const FieldValue sa = storedValue(column, a);
    const FieldValue sb = storedValue(column, b);
    if (const QString* ta = std::get_if<QString>(&sa))
        return cp1252::compareAsKey(*ta, std::get<QString>(sb));
    if (const double* da = std::get_if<double>(&sa)) {
        const double db = std::get<double>(sb);
        return *da < db ? -1 : (*da > db ? 1 : 0);
    }
    const std::int64_t ia = std::get<std::int64_t>(sa);
    const std::int64_t ib = std::get<std::int64_t>(sb);
    return ia < ib ? -1 : (ia > ib ? 1 : 0);
}

} // namespace nidora::data
