#include "core/Picture.h"

#include "core/Decimal.h"

namespace nidora {

namespace {

// Wider pictures are taken as mistakes rather than as requests for huge texts.
constexpr int maxNumberWidth = 64;
constexpr int maxTextWidth = 65535;

// Reads a picture from the front of a text, character by character.
class PictureReader {
public:
    explicit PictureReader(QStringView text)
        : text_(text)
    {
    }

    qsizetype position() const { return pos_; }

    bool take(QChar c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool takeEither(QChar lower, QChar upper) { return take(lower) || take(upper); }

    std::optional<QChar> next()
    {
        return pos_ < text_.size() ? std::optional<QChar>(text_[pos_++]) : std::nullopt;
    }

    // A run of digits, or nothing when there is none or it exceeds limit.
    std::optional<int> number(int limit)
    {
        const qsizetype start = pos_;
        qint64 value = 0;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            value = value * 10 + (text_[pos_].unicode() - u'0');
            if (value > limit)
                return std::nullopt;
            ++pos_;
        }
        return pos_ > start ? std::optional<int>(int(value)) : std::nullopt;
    }

    // The text up to (not including) the closing character, which is consumed.
    std::optional<QString> upTo(QChar close)
    {
        const qsizetype end = text_.indexOf(close, pos_);
        if (end < 0)
            return std::nullopt;
        const QString result = text_.mid(pos_, end - pos_).toString();
        pos_ = end + 1;
        return result;
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

std::optional<Picture> readText(PictureReader& reader)
{
    const std::optional<int> width = reader.number(maxTextWidth);
    if (!width || *width == 0)
        return std::nullopt;
    Picture picture;
    picture.kind = Picture::Kind::Text;
    picture.width = *width;
    return picture;
}

std::optional<Picture> readNumber(PictureReader& reader)
{
    Picture picture;
    picture.kind = Picture::Kind::Number;
    picture.allowsNegative = reader.take(u'-');
    if (reader.take(u'0'))
        picture.fill = Picture::Fill::Zeros;
    else if (reader.take(u'_'))
        picture.fill = Picture::Fill::Blanks;
    else
        reader.take(u'*');

    const std::optional<int> width = reader.number(maxNumberWidth);
    if (!width || *width == 0)
        return std::nullopt;
    picture.width = *width;
    if (reader.take(u'.')) {
        const std::optional<int> places = reader.number(Decimal::maxPlaces);
        if (!places || *places >= picture.width)
            return std::nullopt;
        picture.places = *places;
    }
    // The blank flag and the suffix may come in either order.
    for (int i = 0; i < 2; ++i) {
        if (!picture.blankWhenZero && reader.takeEither(u'b', u'B')) {
            picture.blankWhenZero = true;
        } else if (picture.suffix.isEmpty() && reader.take(u'~')) {
            const std::optional<QString> suffix = reader.upTo(u'~');
            if (!suffix)
                return std::nullopt;
            picture.suffix = *suffix;
        }
    }
    return picture;
}

std::optional<Picture> readDate(PictureReader& reader)
{
    Picture picture;
    picture.kind = Picture::Kind::Date;
    switch (reader.number(99).value_or(0)) {
    case 4:
        picture.dateStyle = Picture::DateStyle::MonthNameDayYear;
        picture.width = 18; // "September 30, 2008", the widest
        return picture;
    case 5:
        picture.dateStyle = Picture::DateStyle::DayMonthShortYear;
        picture.width = 8;
        return picture;
    case 6:
        picture.dateStyle = Picture::DateStyle::DayMonthYear;
        picture.width = 10;
        return picture;
    default:
        return std::nullopt;
    }
}

std::optional<Picture> readTime(PictureReader& reader)
{
    if (reader.number(99) != 1)
        return std::nullopt;
    Picture picture;
    picture.kind = Picture::Kind::Time;
    picture.width = 5;
    return picture;
}

// A pattern closes with the same letter that opened it, so "@pPág. <<<#p" holds "Pág. <<<#".
std::optional<Picture> readPattern(PictureReader& reader, QChar opening)
{
    const std::optional<QString> pattern = reader.upTo(opening);
    if (!pattern)
        return std::nullopt;
    Picture picture;
    picture.kind = Picture::Kind::Pattern;
    picture.pattern = *pattern;
    picture.width = int(pattern->size());
    return picture;
}

} // namespace

std::optional<Picture> parsePicturePrefix(QStringView text, qsizetype& length)
{
    PictureReader reader(text);
    if (!reader.take(u'@'))
        return std::nullopt;
    const std::optional<QChar> letter = reader.next();
    if (!letter)
        return std::nullopt;
    std::optional<Picture> picture;
    switch (letter->toLower().unicode()) {
    case u's':
        picture = readText(reader);
        break;
    case u'n':
        picture = readNumber(reader);
        break;
    case u'd':
        picture = readDate(reader);
        break;
    case u't':
        picture = readTime(reader);
        break;
    case u'p':
        picture = readPattern(reader, *letter);
        break;
    default:
        break;
    }
    if (picture)
        length = reader.position();
    return picture;
}

std::optional<Picture> parsePicture(QStringView text)
{
    qsizetype length = 0;
    std::optional<Picture> picture = parsePicturePrefix(text, length);
    return picture && length == text.size() ? picture : std::nullopt;
}

} // namespace nidora
