#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

// A page as plain text: the texts of the page's metafile placed on a grid of 150 lines of 200
// characters, scaled from the page's bounding box, and the lines that hold anything kept in
// order. Lines, boxes and pictures leave nothing. Damaged bytes give what could be read before
// the damage: the walk stops at a record whose size is below three words or runs past the end.
namespace nidora::reports {

inline constexpr int kTextLines = 150;
inline constexpr int kTextColumns = 200;

// The page's non-blank lines, without trailing blanks.
QStringList pageTextLines(const QByteArray& metafile);

// Appends the page's lines to an open text file, one line each, in UTF-8; false when writing
// failed.
bool appendPageText(QIODevice& file, const QByteArray& metafile);

} // namespace nidora::reports
