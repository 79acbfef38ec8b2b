#include "core/KeyOrder.h"

#include "core/Cp1252.h"

namespace nidora::cp1252 {
namespace {

// Every byte of the code page has a place two apart from the next, its own byte's; the
// letters that sort with a base letter take that letter's place, and the letters of their
// own (Ñ after N) the free place just after their base letter. Zero stays free: it marks
// "no second element".
constexpr std::uint32_t placeOf(unsigned byte)
{
    return 2 * byte + 2;
}

constexpr std::uint32_t placeAfter(char base)
{
    return placeOf(static_cast<unsigned char>(base)) + 1;
}

// The accents in the order they sort in after the plain letter.
enum Accent : std::uint8_t {
    Plain,
    Acute,
    Grave,
    Circumflex,
    Caron,
    Ring,
    Diaeresis,
    Tilde,
    Cedilla,
    Joined, // both halves of Æ, Œ and ß, after the two letters written apart
    Ordinal, // ª and º, after every accented A and O
};

struct Accented {
    unsigned char byte;
    char base;
    Accent accent;
};

// The upper-case letters (and ª, º) that sort with a base letter; their lower-case forms
// fold to them.
constexpr Accented kAccented[] = {
    { 0xC0, 'A', Grave },
    { 0xC1, 'A', Acute },
    { 0xC2, 'A', Circumflex },
    { 0xC3, 'A', Tilde },
    { 0xC4, 'A', Diaeresis },
    { 0xC5, 'A', Ring },
    { 0xAA, 'A', Ordinal },
    { 0xC7, 'C', Cedilla },
    { 0xC8, 'E', Grave },
    { 0xC9, 'E', Acute },
    { 0xCA, 'E', Circumflex },
    { 0xCB, 'E', Diaeresis },
    { 0xCC, 'I', Grave },
    { 0xCD, 'I', Acute },
    { 0xCE, 'I', Circumflex },
    { 0xCF, 'I', Diaeresis },
    { 0xD2, 'O', Grave },
    { 0xD3, 'O', Acute },
    { 0xD4, 'O', Circumflex },
    { 0xD5, 'O', Tilde },
    { 0xD6, 'O', Diaeresis },
    { 0xBA, 'O', Ordinal },
    { 0x8A, 'S', Caron },
    { 0xD9, 'U', Grave },
    { 0xDA, 'U', Acute },
    { 0xDB, 'U', Circumflex },
    { 0xDC, 'U', Diaeresis },
    { 0xDD, 'Y', Acute },
    { 0x9F, 'Y', Diaeresis },
    { 0x8E, 'Z', Caron },
};

// Letters of their own, each just after the letter named: Ð, Ñ, Ø and Þ.
constexpr std::pair<unsigned char, char> kOwnLetters[] = {
    { 0xD0, 'D' },
    { 0xD1, 'N' },
    { 0xD8, 'O' },
    { 0xDE, 'Z' },
};

struct TwoLetters {
    unsigned char byte;
    char first;
    char second;
};

constexpr TwoLetters kTwoLetters[] = {
    { 0xC6, 'A', 'E' },
    { 0x8C, 'O', 'E' },
    { 0xDF, 'S', 'S' },
};

// The code page's upper-case fold, byte to byte (as foldCase does on characters).
constexpr unsigned char foldedByte(unsigned char byte)
{
    if (byte >= 'a' && byte <= 'z')
        return byte - 32;
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)
        return byte - 32;
    switch (byte) {
    case 0xFF:
        return 0x9F; // ÿ → Ÿ
    case 0x9A:
        return 0x8A; // š → Š
    case 0x9C:
        return 0x8C; // œ → Œ
    case 0x9E:
        return 0x8E; // ž → Ž
    default:
        return byte;
    }
}

constexpr CharacterKey keyOfFolded(unsigned char byte)
{
    for (const Accented& a : kAccented) {
        if (a.byte == byte)
            return { { placeOf(static_cast<unsigned char>(a.base)), a.accent }, {} };
    }
    for (const auto& [own, after] : kOwnLetters) {
        if (own == byte)
            return { { placeAfter(after), Plain }, {} };
    }
    for (const TwoLetters& j : kTwoLetters) {
        if (j.byte == byte)
            return { { placeOf(static_cast<unsigned char>(j.first)), Joined },
                { placeOf(static_cast<unsigned char>(j.second)), Joined } };
    }
    return { { placeOf(byte), Plain }, {} };
}

constexpr std::array<CharacterKey, 256> buildKeys()
{
    std::array<CharacterKey, 256> keys {};
    for (unsigned byte = 0; byte < 256; ++byte)
        keys[byte] = keyOfFolded(foldedByte(static_cast<unsigned char>(byte)));
    return keys;
}

} // namespace

const std::array<CharacterKey, 256> kCharacterKeys = buildKeys();

CharacterKey characterKeyBeyondLatin1(char32_t codePoint)
{
    unsigned char byte = 0;
    if (codePoint < 0x10000 && fromUnicode(QChar(char16_t(codePoint)), byte))
        return kCharacterKeys[byte];
    // After every place of the code page (the last is 2 * 255 + 2).
    return { { 0x400 + std::uint32_t(codePoint), Plain }, {} };
}

int compareAsKey(const QString& a, const QString& b)
{
    return compareKeyTexts(TextCodePoints(a), TextCodePoints(b), KeyLevel::Accents);
}

int compareBaseLetters(const QString& a, const QString& b)
{
    return compareKeyTexts(TextCodePoints(a), TextCodePoints(b), KeyLevel::Letters);
}

bool beginsWithBaseLetters(const QString& text, const QString& prefix)
{
    return beginsWithLetters(TextCodePoints(text), TextCodePoints(prefix));
}

} // namespace nidora::cp1252
