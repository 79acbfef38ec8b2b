#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The order in which keys sort their text: the Spanish alphabet over the code page's letters.
// A letter sorts first by its base letter (Á, À, Â, Ä with A; Ç with C; Ü with U), and Ñ is a
// letter of its own between N and O; only between texts whose letters are the same does an
// accent decide, the plain letter first (ALVAREZ before ÁLVAREZ). Case never counts, and
// digits and the other characters keep their places of the code page. The order is a fixed
// table over the 256 characters of the code page, so the order of a stored index never moves
// with a library's version; the data files' collation and compareAsKey both read it.
//
// Two texts compare equal exactly when they differ only in case: each character of the code
// page, once its case is folded, has a sort key of its own, so a unique key accepts and
// refuses what it did when it compared the folded bytes.
namespace nidora::cp1252 {

// One step of a text's sort key: the letter (or other character) it sorts as, and the accent
// that tells it from its base letter (0 for none).
struct KeyElement {
    std::uint32_t letter = 0;
    std::uint8_t accent = 0;
};

// What a character sorts as: one element, or two for the letters that sort as two (Æ as AE,
// Œ as OE, ß as SS).
struct CharacterKey {
    KeyElement first;
    KeyElement second; // letter 0: none
};

// The sort keys of the code page's characters, by byte.
extern const std::array<CharacterKey, 256> kCharacterKeys;

// A character outside the code page sorts after every character of it, by its code point.
CharacterKey characterKeyBeyondLatin1(char32_t codePoint);

inline CharacterKey characterKey(char32_t codePoint)
{
    // Below 0x80 and from 0xA0 to 0xFF the code page's bytes are the code points themselves.
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint < 0x100))
        return kCharacterKeys[codePoint];
    return characterKeyBeyondLatin1(codePoint);
}

enum class KeyLevel {
    Letters, // base letters only: Á is A, but Ñ is still not N
    Accents, // the whole order of keys
};

// A text's sort key, element by element. Source gives the text's code points through
// `bool next(char32_t&)`, its trailing spaces already left out.
template <class Source> class KeyElements {
public:
    explicit KeyElements(Source source)
        : source_(source)
    {
    }

    bool next(KeyElement& element)
    {
        if (pending_.letter != 0) {
            element = pending_;
            pending_ = {};
            return true;
        }
        char32_t codePoint = 0;
        if (!source_.next(codePoint))
            return false;
        const CharacterKey key = characterKey(codePoint);
        element = key.first;
        pending_ = key.second;
        return true;
    }

private:
    Source source_;
    KeyElement pending_;
};

// Compares two texts in the order of keys, up to the level given: their letters first, the
// shorter first when one's letters begin the other's; then, with equal letters, the first
// accent that differs.
template <class SourceA, class SourceB> int compareKeyTexts(SourceA a, SourceB b, KeyLevel level)
{
    KeyElements<SourceA> left(a);
    KeyElements<SourceB> right(b);
    int accents = 0;
    for (;;) {
        KeyElement l;
        KeyElement r;
        const bool hasLeft = left.next(l);
        const bool hasRight = right.next(r);
        if (!hasLeft || !hasRight)
            return hasLeft ? 1 : hasRight ? -1 : accents;
        if (l.letter != r.letter)
            return l.letter < r.letter ? -1 : 1;
        if (accents == 0 && level == KeyLevel::Accents && l.accent != r.accent)
            accents = l.accent < r.accent ? -1 : 1;
    }
}

// Whether the letters of a text begin with those of a prefix (accents and case not counted).
template <class SourceText, class SourcePrefix> bool beginsWithLetters(SourceText text, SourcePrefix prefix)
{
    KeyElements<SourceText> t(text);
    KeyElements<SourcePrefix> p(prefix);
    for (;;) {
        KeyElement fromPrefix;
        if (!p.next(fromPrefix))
            return true;
        KeyElement fromText;
        if (!t.next(fromText) || fromText.letter != fromPrefix.letter)
            return false;
    }
}

// The code points of a QString up to its trailing spaces, surrogate pairs joined.
class TextCodePoints {
public:
    explicit TextCodePoints(const QString& text)
        : at_(text.constData())
        , end_(text.constData() + text.size())
    {
        while (end_ != at_ && end_[-1] == QLatin1Char(' '))
            --end_;
    }

    bool next(char32_t& codePoint)
    {
        if (at_ == end_)
            return false;
        const char16_t unit = (at_++)->unicode();
        codePoint = unit;
        if (QChar::isHighSurrogate(unit) && at_ != end_ && at_->isLowSurrogate())
            codePoint = QChar::surrogateToUcs4(unit, (at_++)->unicode());
        return true;
    }

private:
    const QChar* at_;
    const QChar* end_;
};

} // namespace nidora::cp1252
