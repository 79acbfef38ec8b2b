// The users file: kept sealed on disk, yet read and written like every other data file.
#include "data/Catalogue.h"
#include "data/DataFile.h"
#include "data/ReferenceRecords.h"
#include "data/SqliteConnection.h"
#include "support/ExchangeColumn.h"
#include "support/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace nidora::data;

namespace {

const FileDesc& users()
{
    return fileDesc(FileId::ACCESOS);
}
const KeyDesc& codeKey()
{
    return users().keys.front();
}

OpenOptions withPassword(const char* password = "8826")
{
    OpenOptions options;
    options.password = password;
    return options;
}

ACCESOS user(const QString& code, const QString& name)
{
    ACCESOS record;
    record.CLAVE = code;
    record.NOMBRE = name;
    record.PUERTAS[0] = 1;
    record.PUERTAS[29] = 1;
    return record;
}

class EncipheredFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto opened = DataFile::open(users(), OpenMode::ReadWrite, withPassword());
        ASSERT_TRUE(opened.outcome.ok()) << opened.outcome.errorText().toStdString();
        file = std::move(opened.file);
    }

    RecordRef add(const ACCESOS& record)
    {
        RecordRef ref;
        const Outcome outcome = file->add(record, &ref);
        EXPECT_TRUE(outcome.ok()) << outcome.errorText().toStdString();
        return ref;
    }

    QByteArray rawBytes() const
    {
        QFile disk(directory.filePath("ACCESOS.QVM"));
        EXPECT_TRUE(disk.open(QIODevice::ReadOnly));
        return disk.readAll();
    }

    std::vector<QString> codesInOrder(Direction direction = Direction::Forward, const Position& from = {})
    {
        std::vector<QString> codes;
        EXPECT_TRUE(file->page(&codeKey(), from, direction, 50,
                            [&](const RecordRef&, const Record& record) {
                                codes.push_back(static_cast<const ACCESOS&>(record).CLAVE);
                            })
                        .ok());
        return codes;
    }

    nidora::test::ScratchDirectory directory;
    std::unique_ptr<DataFile> file;
};

TEST_F(EncipheredFileTest, NoCodeOrNameIsOnDiskInClear)
{
    add(user("SUPERVISOR", "Marcelina Quintero"));
    add(user("ANA", "Ana Beltrame"));
    file.reset();
    const QByteArray bytes = rawBytes();
    ASSERT_FALSE(bytes.isEmpty());
    for (const char* clear : { "SUPERVISOR", "supervisor", "Marcelina", "Quintero", "Beltrame", "8826" })
        EXPECT_FALSE(bytes.contains(clear)) << clear;

    auto again = DataFile::open(users(), OpenMode::ReadWrite, withPassword());
    ASSERT_TRUE(again.outcome.ok()) << again.outcome.errorText().toStdString();
    ACCESOS read;
    ASSERT_TRUE(again.file->fetch(codeKey(), { QString("supervisor") }, read).ok());
    EXPECT_EQ(read.NOMBRE, "Marcelina Quintero");
    EXPECT_EQ(read.PUERTAS[29], 1);
    EXPECT_EQ(read.PUERTAS[1], 0);
}

TEST_F(EncipheredFileTest, CodesMatchWithoutCaseAndDuplicatesNameTheKey)
{
    add(user("ANA", "Ana Beltrame"));
    ACCESOS read;
    RecordRef ref;
    for (const char* typed : { "ana", "Ana  ", "ANA" }) {
        EXPECT_TRUE(file->fetch(codeKey(), { QString(typed) }, read, &ref).ok()) << typed;
        EXPECT_EQ(read.NOMBRE, "Ana Beltrame");
    }
    EXPECT_EQ(file->fetch(codeKey(), { QString("ANAS") }, read).status, Status::NotFound);

    const Outcome duplicate = file->add(user("aNa", "Otra"));
    EXPECT_EQ(duplicate.status, Status::Duplicate);
    EXPECT_EQ(duplicate.key, &codeKey());
    RecordRef other = add(user("EVA", "Eva"));
    const Outcome changed = file->change(other, user("ana", "Eva"));
    EXPECT_EQ(changed.status, Status::Duplicate);
    EXPECT_EQ(changed.key, &codeKey());

    // A blank code is never found, and blank codes never collide.
    add(user("", "Sin codigo 1"));
    add(user("", "Sin codigo 2"));
    EXPECT_EQ(file->fetch(codeKey(), { QString() }, read).status, Status::NotFound);
    std::int64_t records = 0;
    ASSERT_TRUE(file->count(records).ok());
    EXPECT_EQ(records, 4);
}

TEST_F(EncipheredFileTest, ReadsInCodeOrderPageAndChangeLikeAnyFile)
{
    for (const char* code : { "marta", "ANA", "Zoe", "beto", "" })
        add(user(code, QStringLiteral("Nombre de %1").arg(code)));
    // Blank code left out; letters interleave regardless of case.
    EXPECT_EQ(codesInOrder(), (std::vector<QString> { "ANA", "beto", "marta", "Zoe" }));
    EXPECT_EQ(codesInOrder(Direction::Backward), (std::vector<QString> { "Zoe", "marta", "beto", "ANA" }));
    EXPECT_EQ(
        codesInOrder(Direction::Forward, { { QString("C") } }), (std::vector<QString> { "marta", "Zoe" }));
    EXPECT_EQ(
        codesInOrder(Direction::Backward, { { QString("m") } }), (std::vector<QString> { "beto", "ANA" }));

    ACCESOS read;
    RecordRef ref;
    ASSERT_TRUE(file->fetch(codeKey(), { QString("BETO") }, read, &ref).ok());
    const Position atBeto = file->positionOf(codeKey(), read, ref.id);
    EXPECT_EQ(codesInOrder(Direction::Forward, atBeto), (std::vector<QString> { "marta", "Zoe" }));

    RecordRef stale = ref;
    read.NOMBRE = "Roberto";
    ASSERT_TRUE(file->change(ref, read).ok());
    EXPECT_EQ(file->change(stale, read).status, Status::Changed);
    ASSERT_TRUE(file->read(ref.id, read).ok());
    EXPECT_EQ(read.NOMBRE, "Roberto");
    // A record found by identity after a change keeps its code's key entry.
    EXPECT_TRUE(file->fetch(codeKey(), { QString("beto") }, read).ok());
    ASSERT_TRUE(file->remove(ref.id).ok());
    EXPECT_EQ(file->fetch(codeKey(), { QString("beto") }, read).status, Status::NotFound);
}

TEST_F(EncipheredFileTest, SealedTextIsFittedLikePlainText)
{
    const QString exact = QString::fromUtf8("€šŸ Ñandú Müller 1234567890abc"); // 30 characters
    ASSERT_EQ(exact.size(), 30);
    const RecordRef fitted = add(user(QString::fromUtf8("ŠŸ€CÓDIGO10X"), exact + "cut"));
    ACCESOS read;
    ASSERT_TRUE(file->read(fitted.id, read).ok());
    EXPECT_EQ(read.CLAVE, QString::fromUtf8("ŠŸ€CÓDIGO1"));
    EXPECT_EQ(read.NOMBRE, exact);
    EXPECT_TRUE(file->fetch(codeKey(), { QString::fromUtf8("šÿ€códiGO1") }, read).ok());
}

TEST_F(EncipheredFileTest, WrongOrMissingPasswordIsRefused)
{
    add(user("ANA", "Ana"));
    file.reset();
    for (const char* password : { "8825", "" }) {
        auto opened = DataFile::open(users(), OpenMode::ReadWrite, withPassword(password));
        EXPECT_EQ(opened.outcome.status, Status::Damaged) << password;
        EXPECT_FALSE(opened.file);
    }
}

TEST_F(EncipheredFileTest, AlteredOrSwappedBlobsAreRefusedNeverMisread)
{
    const RecordRef ana = add(user("ANA", "Ana"));
    const RecordRef eva = add(user("EVA", "Eva"));
    file.reset();
    {
        // Behind the storage's back: Eva's sealed blob copied into Ana's row.
        nidora::data::sql::Connection raw(directory.filePath("ACCESOS.QVM"), false, false);
        ASSERT_TRUE(raw.exec("UPDATE records SET _sealed = (SELECT _sealed FROM records WHERE _id = "
            + QByteArray::number(qlonglong(eva.id))
            + ") WHERE _id = " + QByteArray::number(qlonglong(ana.id))));
    }
    auto opened = DataFile::open(users(), OpenMode::ReadWrite, withPassword());
    ASSERT_TRUE(opened.outcome.ok());
    ACCESOS read;
    EXPECT_EQ(opened.file->read(ana.id, read).status, Status::Damaged);
    EXPECT_EQ(opened.file->fetch(codeKey(), { QString("ana") }, read).status, Status::Damaged);
    EXPECT_TRUE(opened.file->read(eva.id, read).ok());

    const RecordRef luz = [&] {
        RecordRef ref;
        EXPECT_TRUE(opened.file->add(user("LUZ", "Luz"), &ref).ok());
        return ref;
    }();
    opened.file.reset();
    {
        // And one flipped byte in Luz's blob.
        nidora::data::sql::Connection raw(directory.filePath("ACCESOS.QVM"), false, false);
        sql::Statement* select = raw.prepare("SELECT _sealed FROM records WHERE _id = ?");
        ASSERT_TRUE(select);
        QByteArray sealed;
        {
            sql::Connection::Use use(select);
            select->bind(1, luz.id);
            ASSERT_TRUE(select->step());
            sealed = select->blob(0);
        }
        sealed[sealed.size() / 2] = char(sealed[sealed.size() / 2] ^ 0x01);
        sql::Statement* update = raw.prepare("UPDATE records SET _sealed = ? WHERE _id = ?");
        ASSERT_TRUE(update);
        sql::Connection::Use use(update);
        update->bindBlob(1, sealed);
        update->bind(2, luz.id);
        update->step();
        ASSERT_TRUE(update->ok());
    }
    auto again = DataFile::open(users(), OpenMode::ReadWrite, withPassword());
    ASSERT_TRUE(again.outcome.ok());
    EXPECT_EQ(again.file->fetch(codeKey(), { QString("luz") }, read).status, Status::Damaged);
    int visited = 0;
    EXPECT_EQ(again.file
                  ->page(&codeKey(), {}, Direction::Forward, 10,
                      [&](const RecordRef&, const Record&) { ++visited; })
                  .status,
        Status::Damaged);
    EXPECT_EQ(visited, 0);
}

// The hash a code is fetched by lies outside the seal: exchanged between two rows by hand, it
// would hand a user without rights the administrator's record. Every read finds it instead.
TEST_F(EncipheredFileTest, HashesExchangedBetweenRowsAreDamageNeverAnotherUsersRecord)
{
    ACCESOS nobody = user("NADIE", "Sin derechos");
    nobody.PUERTAS = {};
    const RecordRef admin = add(user("ADMIN", "Administradora"));
    const RecordRef plain = add(nobody);
    file.reset();
    nidora::test::exchangeColumn(directory.filePath("ACCESOS.QVM"), "_key_0", admin.id, plain.id);
    auto opened = DataFile::open(users(), OpenMode::ReadWrite, withPassword());
    ASSERT_TRUE(opened.outcome.ok());
    for (const char* code : { "nadie", "admin" }) {
        ACCESOS read;
        EXPECT_EQ(opened.file->fetch(codeKey(), { QString(code) }, read).status, Status::Damaged) << code;
        EXPECT_NE(read.NOMBRE, QStringLiteral("Administradora")) << code;
    }
    EXPECT_EQ(
        opened.file->page(nullptr, {}, Direction::Forward, 10, [](const RecordRef&, const Record&) {}).status,
        Status::Damaged);
}

} // namespace
