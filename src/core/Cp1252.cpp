#include "core/Cp1252.h"

#include <array>

namespace nidora::cp1252 {
namespace {

// Bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC,
    0x0081,
    0x201A,
    0x0192,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x02C6,
    0x2030,
    0x0160,
    0x2039,
    0x0152,
    0x008D,
    0x017D,
    0x008F,
    0x0090,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x02DC,
    0x2122,
    0x0161,
    0x203A,
    0x0153,
    0x009D,
    0x017E,
    0x0178,
};

} // namespace

QChar toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

bool fromUnicode(QChar ch, unsigned char& byte)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == u) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

QString decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.append(toUnicode(static_cast<unsigned char>(c)));
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text) {
        unsigned char b = '?';
        fromUnicode(ch, b);
        bytes.append(static_cast<char>(b));
    }
    return bytes;
}

bool representable(const QString& text)
{
    unsigned char b = 0;
    for (QChar ch : text) {
        if (!fromUnicode(ch, b))
            return false;
    }
    return true;
}

QChar foldCase(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= 'a' && u <= 'z')
        return QChar(char16_t(u - 32));
    // Latin-1 lower-case letters sit 32 above their capitals, except ÷ (0xF7) and ÿ.
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return QChar(char16_t(u - 32));
    switch (u) {
    case 0x00FF:
        return QChar(char16_t(0x0178)); // ÿ → Ÿ
    case 0x0161:
        return QChar(char16_t(0x0160)); // š → Š
    case 0x0153:
        return QChar(char16_t(0x0152)); // œ → Œ
    case 0x017E:
        return QChar(char16_t(0x017D)); // ž → Ž
    default:
        return ch;
    }
}

QString foldCase(const QString& text)
{
    QString folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = foldCase(text[i]);
    return folded;
}

QString fitToField(const QString& text, int n)
{
    QString cut = text.left(n);
    qsizetype end = cut.size();
    while (end > 0 && cut[end - 1] == QLatin1Char(' '))
        --end;
    cut.truncate(end);
    return cut;
}

} // namespace nidora::cp1252
