#include "views/MetafileFormat.h"

namespace nidora::views::wmf {

bool isPlaceable(const QByteArray& bytes)
{
    return bytes.size() >= kFirstRecord && u32(bytes, 0) == kPlaceableKey
        && u16(bytes, kHeaderSizeWords) >= kHeaderWords;
}

QRect boundingBox(const QByteArray& bytes)
{
    return QRect(QPoint(s16(bytes, kBoundsLeft), s16(bytes, kBoundsTop)),
        QPoint(s16(bytes, kBoundsRight) - 1, s16(bytes, kBoundsBottom) - 1));
}

QByteArray blankFile(int width, int height)
{
    QByteArray file(kFirstRecord, '\0');
    put32(file, 0, kPlaceableKey);
    put16(file, kBoundsRight, std::uint16_t(width));
    put16(file, kBoundsBottom, std::uint16_t(height));
    put16(file, kInchField, 1000);
    std::uint16_t checksum = 0;
    for (int word = 0; word < kChecksum / 2; ++word)
        checksum ^= u16(file, word * 2);
    put16(file, kChecksum, checksum);
    // The metafile header: kept in memory (type 1), version 3.
    put16(file, kPlaceableHeaderBytes, 1);
    put16(file, kHeaderSizeWords, kHeaderWords);
    put16(file, kPlaceableHeaderBytes + 4, 0x0300);
    file.append(Record(SetMapMode).add16(kMapText).bytes());
    file.append(Record(SetWindowOrg).addS16(0).addS16(0).bytes());
    file.append(Record(SetWindowExt).addS16(height).addS16(width).bytes());
    file.append(Record(EndOfFile).bytes());
    put32(file, kFileSizeWords, std::uint32_t((file.size() - kPlaceableHeaderBytes) / 2));
    put32(file, kMaxRecordWords, 5);
    return file;
}

} // namespace nidora::views::wmf
