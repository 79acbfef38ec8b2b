#pragma once

#include "data/KeyCollation.h"
#include "data/SqliteConnection.h"

#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

// Faults a disk would make in a data file: bytes of one of its pages changed in place, found
// through the file's own pages. Every change moves the file's change counter on as another
// program writing it would, so that connections holding its pages read them again.
//
//   const auto tree = nidora::test::treeOf("PACIENTE.QVM", "PAC:KNOMBRE");
//   const auto [page, at] = nidora::test::findText("PACIENTE.QVM", tree, "Paciente 0150");
//   nidora::test::flipBytes("PACIENTE.QVM", at, 4);
namespace nidora::test {

// Where one b-tree of a data file lies: a key's index (by the key's name) or the records.
struct FileTree {
    std::vector<int> pages; // its leaf pages
    int pageSize = 0;
};

inline FileTree treeOf(const QString& fileName, const QString& name)
{
    data::sql::Connection raw(fileName, true, false);
    EXPECT_TRUE(data::registerKeyCollation(raw.handle()));
    FileTree tree;
    data::sql::Statement* size = raw.prepare("PRAGMA page_size");
    {
        data::sql::Connection::Use use(size);
        EXPECT_TRUE(size->step());
        tree.pageSize = int(size->int64(0));
    }
    data::sql::Statement* pages
        = raw.prepare("SELECT pageno FROM dbstat WHERE name = ? AND pagetype = 'leaf'");
    EXPECT_TRUE(pages) << raw.error().text.toStdString();
    data::sql::Connection::Use use(pages);
    pages->bind(1, name);
    while (pages->step())
        tree.pages.push_back(int(pages->int64(0)));
    return tree;
}

inline qint64 pageStart(const FileTree& tree, int page)
{
    return qint64(page - 1) * tree.pageSize;
}

inline QByteArray readPage(const QString& fileName, const FileTree& tree, int page)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    file.seek(pageStart(tree, page));
    return file.read(tree.pageSize);
}

// The page of the tree that holds the text, and the text's offset in the file.
inline std::pair<int, qint64> findText(const QString& fileName, const FileTree& tree, const QString& text)
{
    for (int page : tree.pages) {
        const qsizetype at = readPage(fileName, tree, page).indexOf(text.toUtf8());
        if (at >= 0)
            return { page, pageStart(tree, page) + at };
    }
    ADD_FAILURE() << "no page holds " << text.toStdString();
    return { 0, 0 };
}

inline std::uint32_t bigEndian(const QByteArray& bytes, qsizetype at, int count)
{
    std::uint32_t value = 0;
    for (int k = 0; k < count; ++k)
        value = (value << 8) | std::uint8_t(bytes[at + k]);
    return value;
}

// Writes the bytes over the file at offset and moves the change counter on.
inline void overwrite(const QString& fileName, qint64 offset, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(offset);
    ASSERT_EQ(file.write(bytes), bytes.size());
    file.seek(24);
    const std::uint32_t counter = bigEndian(file.read(4), 0, 4) + 1;
    const char next[4] = { char(counter >> 24), char(counter >> 16), char(counter >> 8), char(counter) };
    file.seek(24);
    ASSERT_EQ(file.write(next, 4), 4);
}

// Flips every bit of `count` bytes from offset.
inline void flipBytes(const QString& fileName, qint64 offset, int count)
{
    QByteArray bytes;
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        file.seek(offset);
        bytes = file.read(count);
    }
    for (char& byte : bytes)
        byte = char(~byte);
    overwrite(fileName, offset, bytes);
}

// A leaf page's cells are reached through a table of 2-byte offsets after its 8-byte header,
// in key order: the file offset of the entry for cell `cell`, and the cell each entry points to.
inline qint64 cellPointer(const FileTree& tree, int page, int cell)
{
    return pageStart(tree, page) + 8 + 2 * qint64(cell);
}

inline std::vector<std::uint32_t> cellOffsets(const QString& fileName, const FileTree& tree, int page)
{
    const QByteArray bytes = readPage(fileName, tree, page);
    std::vector<std::uint32_t> offsets;
    const std::uint32_t cells = bigEndian(bytes, 3, 2);
    for (std::uint32_t cell = 0; cell < cells; ++cell)
        offsets.push_back(bigEndian(bytes, 8 + 2 * qsizetype(cell), 2));
    return offsets;
}

// The cell of a leaf page that holds the byte at textAt.
inline int cellHolding(const QString& fileName, const FileTree& tree, int page, qint64 textAt)
{
    const std::vector<std::uint32_t> offsets = cellOffsets(fileName, tree, page);
    int found = -1;
    std::uint32_t best = 0;
    for (std::size_t cell = 0; cell < offsets.size(); ++cell) {
        if (offsets[cell] <= textAt - pageStart(tree, page) && offsets[cell] > best) {
            best = offsets[cell];
            found = int(cell);
        }
    }
    EXPECT_GE(found, 0);
    return found;
}

// One cell fewer in the page's count of cells: its last entry, in key order, is gone from it.
inline void dropLastCell(const QString& fileName, const FileTree& tree, int page)
{
    const QByteArray header = readPage(fileName, tree, page).left(8);
    const std::uint32_t cells = bigEndian(header, 3, 2) - 1;
    QByteArray count;
    count.append(char(cells >> 8)).append(char(cells));
    overwrite(fileName, pageStart(tree, page) + 3, count);
}

} // namespace nidora::test
