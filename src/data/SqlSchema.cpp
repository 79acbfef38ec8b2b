#include "data/SqlSchema.h"

#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"

namespace nidora::data {
namespace {

QByteArray columnType(const Column& column)
{
    if (column.memo)
        return "TEXT NOT NULL DEFAULT ''";
    switch (column.field->type) {
    case FieldType::String:
        return QByteArray("TEXT NOT NULL DEFAULT '' COLLATE ") + kColumnCollation;
    case FieldType::Real:
        return "REAL NOT NULL DEFAULT 0";
    default:
        // BYTE, SHORT, LONG and DECIMAL (scaled): exact integers.
        return "INTEGER NOT NULL DEFAULT 0";
    }
}

QString elementName(const FieldDesc& field, int i, int j)
{
    QString name = field.label();
    if (field.dim1 > 0)
        name += QStringLiteral("_%1").arg(i + 1);
    if (field.dim2 > 0)
        name += QStringLiteral("_%1").arg(j + 1);
    return name;
}

} // namespace

SqlSchema::SqlSchema(const FileDesc& file)
    : file_(file)
{
    for (const FieldDesc& field : file.fields) {
        if (field.type == FieldType::Group) {
            fieldColumn_.push_back(-1);
            continue;
        }
        fieldColumn_.push_back(int(columns_.size()));
        for (int i = 0; i < std::max(field.dim1, 1); ++i) {
            for (int j = 0; j < std::max(field.dim2, 1); ++j)
                columns_.push_back(Column { elementName(field, i, j), &field, i, j, false });
        }
    }
    for (const FieldDesc& memo : file.memos)
        columns_.push_back(Column { memo.label(), &memo, 0, 0, true });
}

const Column& SqlSchema::componentColumn(int fieldIndex) const
{
    return columns_[std::size_t(fieldColumn_[std::size_t(fieldIndex)])];
}

int SqlSchema::keyIndex(const KeyDesc& key) const
{
    for (std::size_t k = 0; k < file_.keys.size(); ++k) {
        if (&file_.keys[k] == &key)
            return int(k);
    }
    // A KeyDesc copied out of the file still names its key.
    for (std::size_t k = 0; k < file_.keys.size(); ++k) {
        if (file_.keys[k].name == key.name)
            return int(k);
    }
    return -1;
}

QByteArray SqlSchema::fieldList() const
{
    QByteArray list;
    for (const Column& column : columns_) {
        if (!list.isEmpty())
            list += ", ";
        list += sql::quoted(column.name);
    }
    return list;
}

QByteArray SqlSchema::createTable() const
{
    QByteArray sql = QByteArray("CREATE TABLE ") + kRecordTable + " (" + kIdColumn
        + " INTEGER PRIMARY KEY AUTOINCREMENT, " + kVersionColumn + " INTEGER NOT NULL DEFAULT 1";
    for (const Column& column : columns_)
        sql += ", " + sql::quoted(column.name) + ' ' + columnType(column);
    sql += ") STRICT";
    return sql;
}

QByteArray SqlSchema::componentTerm(int fieldIndex) const
{
    const Column& column = componentColumn(fieldIndex);
    QByteArray term = sql::quoted(column.name);
    if (column.field->type == FieldType::String)
        term += QByteArray(" COLLATE ") + kKeyCollation;
    return term;
}

QByteArray SqlSchema::createIndex(int key) const
{
    return indexDefinition(key, true);
}

QByteArray SqlSchema::createIndexInFirstOrder(int key) const
{
    return indexDefinition(key, false);
}

QByteArray SqlSchema::indexDefinition(int key, bool keyOrder) const
{
    const KeyDesc& desc = file_.keys[std::size_t(key)];
    QByteArray sql = desc.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
    sql += sql::quoted(desc.name) + " ON " + kRecordTable + " (";
    for (std::size_t c = 0; c < desc.components.size(); ++c) {
        if (c > 0)
            sql += ", ";
        sql += keyOrder ? componentTerm(desc.components[c])
                        : sql::quoted(componentColumn(desc.components[c]).name);
    }
    sql += ')';
    const QByteArray blank = blankCondition(key);
    if (!blank.isEmpty())
        sql += " WHERE " + blank;
    return sql;
}

QByteArray SqlSchema::blankCondition(int key) const
{
    const KeyDesc& desc = file_.keys[std::size_t(key)];
    if (desc.blanksIndexed)
        return {};
    QByteArray terms;
    for (int component : desc.components) {
        const Column& column = componentColumn(component);
        if (!terms.isEmpty())
            terms += " AND ";
        terms += sql::quoted(column.name) + (column.field->type == FieldType::String ? " = ''" : " = 0");
    }
    return "NOT (" + terms + ')';
}

QByteArray SqlSchema::componentList(int key, bool descending) const
{
    const KeyDesc& desc = file_.keys[std::size_t(key)];
    const QByteArray order = descending ? " DESC" : "";
    QByteArray list;
    for (int component : desc.components)
        list += componentTerm(component) + order + ", ";
    return list + kIdColumn + order;
}

} // namespace nidora::data
