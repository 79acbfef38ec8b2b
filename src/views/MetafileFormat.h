#pragma once

#include <QByteArray>
#include <QRect>
#include <Qt>

#include <functional>
#include <utility>

#include <cstdint>

// The byte layout of a placeable metafile, the page format every report page is kept in, so that
// a saved page opens in other programs: a 22-byte placeable header (bounding box and units per
// inch), the 18-byte metafile header, then records of a size in 16-bit words, a function number
// and its parameters, all little-endian, ending with a three-word record of function 0.
namespace nidora::views::wmf {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr int kPlaceableHeaderBytes = 22;
constexpr int kHeaderBytes = 18;
constexpr int kHeaderWords = kHeaderBytes / 2;
constexpr int kFirstRecord = kPlaceableHeaderBytes + kHeaderBytes;
// A record's size (4 bytes) and function (2 bytes).
constexpr int kRecordPrefixBytes = 6;
constexpr int kMinRecordWords = 3;

// Byte positions in the file.
constexpr int kBoundsLeft = 6;
constexpr int kBoundsTop = 8;
constexpr int kBoundsRight = 10;
constexpr int kBoundsBottom = 12;
constexpr int kInchField = 14;
constexpr int kChecksum = 20;
constexpr int kHeaderSizeWords = 24;
constexpr int kFileSizeWords = 28;
constexpr int kObjectCount = 32;
constexpr int kMaxRecordWords = 34;

// Record functions.
enum Function : std::uint16_t {
    EndOfFile = 0x0000,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetPolyFillMode = 0x0106,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    Escape = 0x0626,
    ExtTextOut = 0x0A32,
    StretchDib = 0x0F43,
};

// Parameters the pages use.
constexpr std::uint16_t kTransparent = 1;
constexpr std::uint16_t kMapText = 1;
constexpr std::uint16_t kAlternate = 1;
constexpr std::uint16_t kWinding = 2;
constexpr std::uint16_t kAlignBaseline = 24;
constexpr std::uint16_t kPenSolid = 0;
constexpr std::uint16_t kPenDash = 1;
constexpr std::uint16_t kPenDot = 2;
constexpr std::uint16_t kPenDashDot = 3;
constexpr std::uint16_t kPenDashDotDot = 4;
constexpr std::uint16_t kPenNull = 5;
// The painter's line styles by the pen styles that stand for them.
inline constexpr std::pair<std::uint16_t, Qt::PenStyle> kPenStyles[] = {
    { kPenSolid, Qt::SolidLine },
    { kPenDash, Qt::DashLine },
    { kPenDot, Qt::DotLine },
    { kPenDashDot, Qt::DashDotLine },
    { kPenDashDotDot, Qt::DashDotDotLine },
    { kPenNull, Qt::NoPen },
};
constexpr std::uint16_t kBrushSolid = 0;
constexpr std::uint16_t kBrushNull = 1;
constexpr std::uint32_t kSourceCopy = 0x00CC0020u;
// LOGFONT: five 16-bit values, eight bytes, then the face name.
constexpr int kFaceNameBytes = 32;
// ExtTextOut options: a clipping or opaque rectangle follows the count.
constexpr std::uint16_t kTextOpaque = 0x0002;
constexpr std::uint16_t kTextClipped = 0x0004;

inline std::uint16_t u16(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at + 2 > bytes.size())
        return 0;
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}
inline std::int16_t s16(const QByteArray& bytes, qsizetype at)
{
    return std::int16_t(u16(bytes, at));
}
inline std::uint32_t u32(const QByteArray& bytes, qsizetype at)
{
    return std::uint32_t(u16(bytes, at)) | std::uint32_t(u16(bytes, at + 2)) << 16;
}

inline void put16(QByteArray& bytes, qsizetype at, std::uint16_t value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}
inline void put32(QByteArray& bytes, qsizetype at, std::uint32_t value)
{
    put16(bytes, at, std::uint16_t(value & 0xFFFF));
    put16(bytes, at + 2, std::uint16_t(value >> 16));
}

// One record built up parameter by parameter; its size word is filled in by `bytes()`.
class Record {
public:
    explicit Record(Function function)
    {
        bytes_.reserve(32);
        add32(0);
        add16(function);
    }
    Record& add16(std::uint16_t value)
    {
        bytes_.append(char(value & 0xFF));
        bytes_.append(char(value >> 8));
        return *this;
    }
    Record& addS16(int value) { return add16(std::uint16_t(std::int16_t(value))); }
    Record& add32(std::uint32_t value)
    {
        return add16(std::uint16_t(value & 0xFFFF)).add16(std::uint16_t(value >> 16));
    }
    Record& addBytes(const QByteArray& data)
    {
        bytes_.append(data);
        return *this;
    }
    // Pads the parameters to a whole number of words.
    const QByteArray& bytes()
    {
        if (bytes_.size() % 2)
            bytes_.append('\0');
        put32(bytes_, 0, std::uint32_t(bytes_.size() / 2));
        return bytes_;
    }

private:
    QByteArray bytes_;
};

// A COLORREF: red in the lowest byte.
inline std::uint32_t colorRef(int red, int green, int blue)
{
    return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
}

// True when the bytes begin with a placeable header and a metafile header.
bool isPlaceable(const QByteArray& bytes);
// The bounding box of a placeable metafile, in its own units.
QRect boundingBox(const QByteArray& bytes);
// Calls visit with each record's function, its first byte and the byte after it, in file order,
// from the record after the metafile header to the end the header gives (counted after the
// placeable header) or of the bytes, whichever comes first. The walk stops at a record whose
// size is below three words or runs past that end, so damaged bytes are never read beyond.
void forEachRecord(const QByteArray& bytes,
    const std::function<void(std::uint16_t function, qsizetype at, qsizetype end)>& visit);
// A placeable metafile with no drawing records, `width` by `height` thousandths of an inch.
QByteArray blankFile(int width, int height);

} // namespace nidora::views::wmf
