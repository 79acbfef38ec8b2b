#include "BackupFixture.h"

#include "data/SqliteConnection.h"
#include "support/RecordMakers.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace nidora::data::test {

BackupFixture::BackupFixture()
{
    EXPECT_TRUE(QDir(work()).mkdir(QStringLiteral("copia")));
    for (FileId id : backedUpFiles())
        makeEmpty(work(), id);
    addPatients(work(), 1, 3);
}

QString BackupFixture::in(const QString& folder, FileId id)
{
    return QDir(folder).filePath(fileDesc(id).fileName());
}

void BackupFixture::makeEmpty(const QString& folder, FileId id)
{
    OpenOptions options;
    options.fileName = in(folder, id);
    ASSERT_TRUE(DataFile::createEmpty(fileDesc(id), options).ok());
}

std::unique_ptr<DataFile> BackupFixture::open(const QString& folder, FileId id)
{
    OpenOptions options;
    options.fileName = in(folder, id);
    DataFile::Opened opened = DataFile::open(fileDesc(id), OpenMode::ReadWrite, options);
    EXPECT_TRUE(opened.outcome.ok()) << opened.outcome.text.toStdString();
    return std::move(opened.file);
}

void BackupFixture::addPatients(
    const QString& folder, std::int32_t first, std::int32_t last, const char* name)
{
    auto patients = open(folder, FileId::PACIENTES);
    auto consultations = open(folder, FileId::CONSULTAS);
    ASSERT_TRUE(patients->beginBuffered().ok());
    ASSERT_TRUE(consultations->beginBuffered().ok());
    for (std::int32_t code = first; code <= last; ++code) {
        ASSERT_TRUE(patients->add(nidora::test::patient(code, name)).ok());
        ASSERT_TRUE(consultations->add(nidora::test::consultation(code, code)).ok());
    }
    ASSERT_TRUE(patients->flush().ok());
    ASSERT_TRUE(consultations->flush().ok());
}

std::int64_t BackupFixture::count(const QString& folder, FileId id)
{
    auto file = open(folder, id);
    std::int64_t records = -1;
    if (file) {
        EXPECT_TRUE(file->count(records).ok());
    }
    return records;
}

FileBackup::Result BackupFixture::run(FileBackup::Kind kind, FileBackup::Options options)
{
    FileBackup backup(kind, work(), folder(), std::move(options));
    int last = 0;
    while (!backup.wait(std::chrono::milliseconds(1))) {
        EXPECT_GE(backup.percent(), last);
        last = backup.percent();
    }
    EXPECT_EQ(backup.percent(), 100);
    return backup.result();
}

std::map<QString, QByteArray> BackupFixture::records(const QString& folder)
{
    std::map<QString, QByteArray> all;
    for (FileId id : backedUpFiles()) {
        const QString path = in(folder, id);
        if (!QFileInfo::exists(path))
            continue;
        sql::Connection connection(path, true, false);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        QStringList tables;
        {
            sql::Statement* names
                = connection.prepare("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
            sql::Connection::Use use(names);
            while (names && names->step())
                tables << names->text(0);
        }
        for (const QString& table : tables) {
            sql::Statement* rows = connection.prepare("SELECT * FROM " + sql::quoted(table));
            sql::Connection::Use use(rows);
            while (rows && rows->step()) {
                for (int column = 0; column < rows->columnCount(); ++column)
                    hash.addData(rows->blob(column) + '\x1f');
                hash.addData(QByteArray("\x1e"));
            }
        }
        all[fileDesc(id).fileName()] = hash.result();
    }
    return all;
}

void BackupFixture::expectSound(const QString& folder)
{
    for (FileId id : backedUpFiles()) {
        OpenOptions options;
        options.fileName = in(folder, id);
        if (!QFileInfo::exists(options.fileName))
            continue;
        DataFile::Opened opened = DataFile::open(fileDesc(id), OpenMode::ReadOnly, options);
        ASSERT_TRUE(opened.outcome.ok()) << fileDesc(id).fileName().toStdString();
        const Outcome checked = opened.file->checkIntegrity();
        EXPECT_TRUE(checked.ok()) << fileDesc(id).fileName().toStdString() << ": "
                                  << checked.text.toStdString();
    }
}

QStringList BackupFixture::leftovers(const QString& folder)
{
    QStringList names
        = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (FileId id : backedUpFiles())
        names.removeAll(fileDesc(id).fileName());
    names.removeAll(QStringLiteral("COPIA.LST"));
    names.removeAll(QStringLiteral("copia"));
    names.removeAll(QStringLiteral("ACCESOS.QVM"));
    // A restore cut short after its last replacement but before it let the files go leaves
    // each file's journal spent (its header cleared): nothing is rolled back from it, and the
    // file's next write removes it.
    names.removeIf([&](const QString& name) {
        if (!name.endsWith(QStringLiteral("-journal")))
            return false;
        QFile journal(QDir(folder).filePath(name));
        return journal.open(QIODevice::ReadOnly) && journal.read(8) == QByteArray(8, '\0');
    });
    return names;
}

} // namespace nidora::data::test
