#include "data/SuperJournals.h"

#include "data/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <array>
#include <memory>
#include <vector>

namespace nidora::data {
namespace {

// The ending SQLite gives a super-journal: "-mj", six hex digits, a 9, two hex digits.
const QRegularExpression kSuperJournalName(QStringLiteral("-mj[0-9A-F]{6}9[0-9A-F]{2}$"));

constexpr std::array<unsigned char, 8> kJournalMagic { 0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7 };

std::uint32_t bigEndian(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t value = 0;
    for (qsizetype k = 0; k < 4; ++k)
        value = (value << 8) | std::uint8_t(bytes[at + k]);
    return value;
}

// The journals a super-journal lists: file names, each ended by a zero byte.
QStringList listedJournals(const QString& superJournal)
{
    QFile file(superJournal);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList journals;
    for (const QByteArray& name : file.readAll().split('\0')) {
        if (!name.isEmpty())
            journals << QString::fromUtf8(name);
    }
    return journals;
}

// The super-journal a journal names at its end (its name, its length, a checksum and the
// journal's magic number), or an empty text when it names none.
QString namedSuperJournal(const QString& journal)
{
    QFile file(journal);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return {};
    file.seek(file.size() - 16);
    const QByteArray tail = file.read(16);
    if (tail.size() != 16
        || !std::equal(kJournalMagic.begin(), kJournalMagic.end(), tail.begin() + 8,
            [](unsigned char a, char b) { return a == std::uint8_t(b); }))
        return {};
    const std::uint32_t length = bigEndian(tail, 0);
    if (length == 0 || qint64(length) > file.size() - 16)
        return {};
    file.seek(file.size() - 16 - length);
    return QString::fromUtf8(file.read(length));
}

QString databaseOf(const QString& journal)
{
    static const QString suffix = QStringLiteral("-journal");
    return journal.endsWith(suffix) ? journal.left(journal.size() - suffix.size()) : QString();
}

// Whether the super-journal is nobody's: its files' write locks are taken here (a commit under
// way holds them; a file with a hot journal is rolled back as it is first read) and, with them
// held, no journal it lists names it any more.
bool stale(const QString& superJournal)
{
    std::vector<std::unique_ptr<sql::Connection>> held;
    const QStringList journals = listedJournals(superJournal);
    for (const QString& journal : journals) {
        const QString database = databaseOf(journal);
        if (database.isEmpty() || !QFile::exists(database))
            continue;
        auto connection = std::make_unique<sql::Connection>(database, false, false);
        if (!connection->isOpen() || !connection->exec("BEGIN IMMEDIATE"))
            return false;
        held.push_back(std::move(connection));
    }
    // SQLite names files by their full path with links resolved.
    const QString self = QFileInfo(superJournal).canonicalFilePath();
    bool owned = false;
    for (const QString& journal : journals) {
        const QString named = namedSuperJournal(journal);
        owned = owned || (!named.isEmpty() && QFileInfo(named).canonicalFilePath() == self);
    }
    for (const auto& connection : held)
        connection->exec("ROLLBACK");
    return !owned;
}

} // namespace

QStringList removeStaleSuperJournals(const QString& folder)
{
    QStringList removed;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({ QStringLiteral("*-mj*") }, QDir::Files)) {
        if (!kSuperJournalName.match(name).hasMatch())
            continue;
        const QString path = dir.absoluteFilePath(name);
        // Rolling a hot journal back may already have removed it.
        if (stale(path) && (!QFile::exists(path) || QFile::remove(path)))
            removed << name;
    }
    return removed;
}

} // namespace nidora::data
