#pragma once

#include "data/Schema.h"

#include <QIcon>
#include <QString>
#include <Qt>

#include <cstdint>
#include <functional>
#include <utility>

// What a list shows of each row: its columns, each formatted through a picture, and the
// colours of a row chosen from its record.
namespace nidora::views {

struct ListColumn {
    QString heading;
    // A heading over this column and the next ones that carry the same text ("Cobertura
    // Social" over the coverage name and number); empty: none.
    QString group {};
    std::function<QString(const data::Record&)> text {};
    Qt::Alignment alignment = Qt::AlignLeft;
    // In dialog units, as a list's format gives it; a field's column is as wide as its picture
    // (pictureWidth); 0: the list's own choice.
    int width = 0;
    // The widest text the column's picture shows (every digit of a number, a whole date or
    // time, the capitals of a short text): the column is never narrower than that.
    QString widest {};
    // The icon in front of the text, chosen from the row's record; none when not set.
    std::function<QIcon(const data::Record&)> icon {};

    ListColumn sized(int dialogUnits) const
    {
        ListColumn column = *this;
        column.width = dialogUnits;
        return column;
    }
    ListColumn withIcon(std::function<QIcon(const data::Record&)> choose) const
    {
        ListColumn column = *this;
        column.icon = std::move(choose);
        return column;
    }
};

// The width, in dialog units, of a column that shows a picture of so many characters: four
// units a character (a character's average width), and two on either side.
int pictureWidth(int characters);

// A column showing a field through a picture (the field's own when none is given): numbers,
// dates and times right-aligned, text left.
ListColumn fieldColumn(const data::FieldDesc& field, const QString& heading, const QString& picture = {},
    const QString& group = {});
// The same for one element of an array field (i, j from 0, as FieldDesc::get takes them).
ListColumn elementColumn(const data::FieldDesc& field, int i, int j, const QString& heading,
    const QString& picture = {}, const QString& group = {});

// The four colours of a row (0x00BBGGRR values, as colours are stored).
struct RowColours {
    std::uint32_t text = 0;
    std::uint32_t background = 0;
    std::uint32_t selectedText = 0;
    std::uint32_t selectedBackground = 0;

    bool operator==(const RowColours&) const = default;
};

using RowColouring = std::function<RowColours(const data::Record&)>;

} // namespace nidora::views
