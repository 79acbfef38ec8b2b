#include "reports/PageText.h"

#include "core/Cp1252.h"
#include "core/TextClip.h"
#include "views/MetafileFormat.h"

#include <QIODevice>

#include <algorithm>
#include <vector>

namespace nidora::reports {

namespace wmf = views::wmf;

namespace {

// The bytes read for one record: a text record's characters beyond them are cut.
constexpr qsizetype kRecordWindow = 200;

// Writes text into a line from column (counted from 1) on, keeping the line's width.
void place(QString& line, int column, const QString& text)
{
    const int from = column - 1;
    if (from >= line.size())
        return;
    const qsizetype length = std::min<qsizetype>(text.size(), line.size() - from);
    line.replace(from, length, text.left(length));
}

} // namespace

QStringList pageTextLines(const QByteArray& bytes)
{
    if (bytes.size() < wmf::kFirstRecord)
        return {};
    const int width = int(wmf::u16(bytes, wmf::kBoundsRight)) - int(wmf::u16(bytes, wmf::kBoundsLeft));
    const int height = int(wmf::u16(bytes, wmf::kBoundsBottom)) - int(wmf::u16(bytes, wmf::kBoundsTop));
    // A page without extent has nowhere to place its texts.
    if (width <= 0 || height <= 0)
        return {};
    const double columnFactor = double(kTextColumns) / width;
    const double rowFactor = double(kTextLines) / height;

    std::vector<QString> lines(kTextLines, QString(kTextColumns, QLatin1Char(' ')));
    wmf::forEachRecord(bytes, [&](std::uint16_t function, qsizetype at, qsizetype recordEnd) {
        if (function != wmf::ExtTextOut || recordEnd < at + 14)
            return;
        const int y = wmf::u16(bytes, at + 6);
        const int x = wmf::u16(bytes, at + 8);
        const int count = wmf::u16(bytes, at + 10);
        const bool rectangle = (wmf::u16(bytes, at + 12) & 0xFF) != 0;
        const qsizetype chars = at + (rectangle ? 22 : 14);
        const qsizetype stop = std::min({ chars + count, at + kRecordWindow, recordEnd });
        const int row = std::max(1, int(y * rowFactor + 0.5));
        const int column = std::max(1, int(x * columnFactor + 0.5));
        // A text below the bounding box has no line of the page: it is left out.
        if (stop <= chars || row > kTextLines)
            return;
        QByteArray raw = bytes.mid(chars, stop - chars);
        // A count beyond the record's characters meets the record's padding: the text ends there.
        if (const qsizetype nul = raw.indexOf('\0'); nul >= 0)
            raw.truncate(nul);
        place(lines[std::size_t(row - 1)], column, clipped(cp1252::decode(raw)));
    });

    QStringList kept;
    for (QString& line : lines) {
        line = clipped(line);
        if (!line.isEmpty())
            kept.append(line);
    }
    return kept;
}

bool appendPageText(QIODevice& file, const QByteArray& metafile)
{
    for (const QString& line : pageTextLines(metafile)) {
        const QByteArray bytes = line.toUtf8() + '\n';
        if (file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

} // namespace nidora::reports
