#pragma once

#include "data/Dictionary.h"

#include <QString>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

// The rows of the medical library's tree, without any widget: under a heading row the topics
// (TEMAS) in key order, under an open topic its titles (TITULOS), under an open title its
// articles (ARTICULOS). An entry is opened or closed by the user; the entries that were open
// are remembered for the life of the tree, so a rebuild, or opening an entry again, opens them
// again too. Entries below an entry are found as its file's key finds them, regardless of case
// and trailing spaces: a title stored as "pediatría" belongs to the topic "Pediatría".
//
//   LibraryTree tree(threadDictionary());  // TEMAS, TITULOS and ARTICULOS open
//   tree.load();                           // "TEMAS" and the topics, closed
//   tree.open(1);                          // the first topic's titles below it
//   int row = tree.find({ LibraryTree::Title, id });
namespace nidora::practice {

struct LibraryRow {
    QString display;
    // 0 the heading, 1 a topic, 2 a title, 3 an article; negative (-1, -2) for a closed entry
    // that has entries below it.
    int level = 0;
    // The entries below this one are rows of the tree.
    bool loaded = false;
    // The identity of the row's record in its file; 0 for the heading.
    std::int64_t position = 0;
};

// An entry to find again after a rebuild: its level (the sign does not count) and position.
// Level 0 is no entry.
struct LibraryEntry {
    int level = 0;
    std::int64_t position = 0;

    bool operator==(const LibraryEntry&) const = default;
};

enum class RowRead {
    Ok,
    Gone, // the record is no longer in its file (another station deleted it)
    Failed, // the file could not be read; the message has been shown
};

class LibraryTree {
public:
    static constexpr int Heading = 0;
    static constexpr int Topic = 1;
    static constexpr int Title = 2;
    static constexpr int Article = 3;

    // The three files must be open in data while the tree reads them.
    explicit LibraryTree(data::Dictionary& data);

    // Empties the rows and loads them again, opening the remembered open entries; false when a
    // read failed (its message has been shown), with the rows read until then.
    bool load();
    // Opens a closed topic or title: the row is read again and its entries are loaded right
    // below it. Anything else, or an entry already open, is left as it is.
    RowRead open(int row);
    // Closes an open topic or title, removing every row below it; the entries open below it
    // stay remembered.
    RowRead close(int row);

    const std::vector<LibraryRow>& rows() const { return rows_; }
    int rowCount() const { return int(rows_.size()); }
    bool isOpen(int level, std::int64_t position) const { return open_.count({ level, position }) != 0; }

    // The entry a row shows (the level with its sign), or none for a row out of range.
    LibraryEntry entryAt(int row) const;
    // The first row that shows the entry, or -1.
    int find(const LibraryEntry& entry) const;
    // The row of the title a row belongs to: itself for a title, the nearest title above it for
    // an article; -1 for the heading and topics.
    int titleRowOf(int row) const;
    // The file whose records a row of that level shows.
    static data::FileId fileOf(int level);

    // Reads the row's record again, by its position, into its file's buffer as the one last
    // read (so that a change finds out what another station saved meanwhile), and shows its
    // text as it is stored now.
    RowRead reread(int row);

private:
    RowRead load(int row);
    bool appendTitles(const QString& topic, std::vector<LibraryRow>& out);
    bool appendArticles(const QString& topic, const QString& title, std::vector<LibraryRow>& out);

    data::Dictionary& data_;
    std::vector<LibraryRow> rows_;
    std::set<std::pair<int, std::int64_t>> open_;
};

} // namespace nidora::practice
