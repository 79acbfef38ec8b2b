#include "views/ListColumns.h"

#include "core/PictureFormat.h"

#include <optional>

namespace nidora::views {

int pictureWidth(int characters)
{
    return characters * 4 + 4;
}

ListColumn fieldColumn(
    const data::FieldDesc& field, const QString& heading, const QString& picture, const QString& group)
{
    return elementColumn(field, 0, 0, heading, picture, group);
}

ListColumn elementColumn(const data::FieldDesc& field, int i, int j, const QString& heading,
    const QString& picture, const QString& group)
{
    const std::optional<Picture> parsed = parsePicture(picture.isEmpty() ? field.picture : picture);
    Picture shown;
    if (parsed) {
        shown = *parsed;
    } else {
        shown.width = field.size;
    }
    const data::FieldDesc* source = &field;
    ListColumn column { heading, group, {},
        shown.kind == Picture::Kind::Text ? Qt::AlignLeft : Qt::AlignRight };
    column.width = pictureWidth(shown.width);
    // Digits are as wide as any character a number, date or time shows; a short text is given
    // room for its capitals ("AB+", "REFUERZO 2"), a long one the width the list gives it.
    constexpr int kLongText = 20;
    if (shown.kind != Picture::Kind::Text)
        column.widest = QString(shown.width, u'0') + shown.suffix;
    else if (shown.width <= kLongText)
        column.widest = QString(shown.width, u'X');
    column.text = [source, shown, i, j](const data::Record& record) {
        const data::FieldValue value = source->get(record, i, j);
        if (const QString* text = std::get_if<QString>(&value))
            return formatText(shown, *text);
        if (const double* real = std::get_if<double>(&value))
            return formatReal(shown, *real);
        const std::int64_t number = std::get<std::int64_t>(value);
        if (source->type == data::FieldType::Decimal)
            return formatDecimal(shown, Decimal(number, source->precision));
        return formatLong(shown, number);
    };
    return column;
}

} // namespace nidora::views
