#pragma once

#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace nidora::test {

// Exchanges one column's values between two records of a data file behind the storage's back,
// as anyone with plain SQL and write access to the folder could (a unique index on the column
// allows it only through a blank in between).
inline void exchangeColumn(const QString& fileName, const char* column, std::int64_t a, std::int64_t b)
{
    data::sql::Connection raw(fileName, false, false);
    ASSERT_TRUE(data::registerKeyCollation(raw.handle()));
    const QByteArray name = data::sql::quoted(QString::fromUtf8(column));
    const QByteArray ids = QByteArray::number(qlonglong(a)) + ", " + QByteArray::number(qlonglong(b));
    const QByteArray sum = QByteArray::number(qlonglong(a + b));
    ASSERT_TRUE(raw.exec("BEGIN; CREATE TEMP TABLE kept AS SELECT _id, " + name
        + " FROM records WHERE _id IN (" + ids + "); UPDATE records SET " + name + " = NULL WHERE _id IN ("
        + ids + "); UPDATE records SET " + name + " = (SELECT " + name + " FROM kept WHERE kept._id = " + sum
        + " - records._id) WHERE _id IN (" + ids + "); COMMIT"))
        << raw.error().text.toStdString();
}

} // namespace nidora::test
