#pragma once

#include "AccessTestFixture.h"
#include "data/SqlSchema.h"
#include "data/SqliteConnection.h"

#include <QDir>

// Relation tests work on one thread's Dictionary with every related file open, look at the
// disk through the fixture's own connections, and can make one file refuse its writes.
namespace nidora::data::test {

class RelationTest : public AccessTest {
public:
    // For the layouts of table-driven cases.
    template <class R> void put(const R& record) { store(record); }

protected:
    // Opens the file with its related files and reads the record whose key equals the
    // values laid into the buffer by `select`.
    template <class R> void fetchInto(const char* keyName, const std::function<void(R&)>& select)
    {
        ASSERT_EQ(data.relation<R>().open(), AccessResult::Ok);
        select(data.buffer<R>());
        ASSERT_EQ(data.access<R>().fetch(data.access<R>().key(keyName)), AccessResult::Ok);
    }

    // Identity and version of every record, in record order: equal before and after an
    // operation only if it wrote nothing to the file.
    template <class R> std::vector<std::pair<std::int64_t, std::int64_t>> versions()
    {
        std::vector<std::pair<std::int64_t, std::int64_t>> refs;
        disk(R::fileId).page(nullptr, {}, Direction::Forward, 1'000'000,
            [&](const RecordRef& ref, const Record&) { refs.emplace_back(ref.id, ref.version); });
        return refs;
    }

    // Field by field as the file would store them (groups have no value of their own).
    static void expectSameFields(const FileDesc& file, const Record& expected, const Record& actual)
    {
        for (const FieldDesc& field : file.fields) {
            if (field.type == FieldType::Group || field.type == FieldType::Memo)
                continue;
            EXPECT_TRUE(sameStoredValue(field, fieldValue(field, expected), fieldValue(field, actual)))
                << qPrintable(field.name);
        }
    }

    // Every UPDATE or DELETE of the file's records fails from now on, as a disk error would.
    void refuseWrites(FileId file, const char* operation)
    {
        sql::Connection connection(QDir::current().absoluteFilePath(fileDesc(file).fileName()), false, false);
        ASSERT_TRUE(connection.isOpen());
        ASSERT_TRUE(connection.exec(QByteArray("CREATE TRIGGER refuse BEFORE ") + operation + " ON "
            + kRecordTable + " BEGIN SELECT RAISE(ABORT, 'refused by the test'); END"))
            << qPrintable(connection.error().text);
    }
};

} // namespace nidora::data::test
