#include "views/PagePictures.h"

#include "views/MetafileFormat.h"

#include <map>
#include <mutex>
#include <tuple>

namespace nidora::views::pagepictures {

namespace {

// The comment escape and the mark that tells our references from other comments.
constexpr std::uint16_t kComment = 0x000F;
constexpr char kMark[] = "NIDP";
constexpr int kMarkBytes = 4;
// The picture record's parameters before its bitmap.
constexpr int kParameterBytes = 22;
// Size, function, escape number and its byte count.
constexpr int kEscapePrefix = wmf::kRecordPrefixBytes + 4;

struct Key {
    qint64 image;
    QRect source;
    QSize dots;
    bool operator<(const Key& other) const
    {
        return std::tuple(image, source.x(), source.y(), source.width(), source.height(), dots.width(),
                   dots.height())
            < std::tuple(other.image, other.source.x(), other.source.y(), other.source.width(),
                other.source.height(), other.dots.width(), other.dots.height());
    }
};

// Every picture some page holds, for as long as one does.
struct Table {
    std::mutex lock;
    std::map<Key, std::weak_ptr<const QByteArray>> kept;
};

Table& table()
{
    static Table pictures;
    return pictures;
}

} // namespace

Bitmap shared(const QImage& image, const QRect& source, QSize dots, const std::function<QByteArray()>& make)
{
    const Key key { image.cacheKey(), source, dots };
    Table& pictures = table();
    {
        const std::lock_guard hold(pictures.lock);
        const auto found = pictures.kept.find(key);
        if (found != pictures.kept.end())
            if (Bitmap bitmap = found->second.lock())
                return bitmap;
    }
    Bitmap bitmap = std::make_shared<const QByteArray>(make());
    const std::lock_guard hold(pictures.lock);
    // The pictures no page holds any longer go as new ones come.
    std::erase_if(pictures.kept, [](const auto& entry) { return entry.second.expired(); });
    pictures.kept[key] = bitmap;
    return bitmap;
}

QByteArray referenceRecord(const QByteArray& parameters, int index)
{
    QByteArray data(kMark, kMarkBytes);
    data.append(parameters.left(kParameterBytes));
    data.append(kParameterBytes - std::min<qsizetype>(parameters.size(), kParameterBytes), '\0');
    QByteArray number(2, '\0');
    wmf::put16(number, 0, std::uint16_t(index));
    data.append(number);
    return wmf::Record(wmf::Escape).add16(kComment).add16(std::uint16_t(data.size())).addBytes(data).bytes();
}

std::optional<Reference> referenceIn(const QByteArray& bytes, qsizetype at, qsizetype end)
{
    const qsizetype data = at + kEscapePrefix;
    if (wmf::u16(bytes, at + 4) != wmf::Escape || wmf::u16(bytes, at + 6) != kComment
        || data + kMarkBytes + kParameterBytes + 2 > end || bytes.mid(data, kMarkBytes) != kMark)
        return std::nullopt;
    return Reference { data + kMarkBytes, wmf::u16(bytes, data + kMarkBytes + kParameterBytes) };
}

QByteArray expanded(const QByteArray& records, const std::vector<Bitmap>& pictures)
{
    if (pictures.empty())
        return records;
    QByteArray file = records.left(wmf::kFirstRecord);
    qsizetype copied = wmf::kFirstRecord;
    std::uint32_t largest = wmf::u32(records, wmf::kMaxRecordWords);
    wmf::forEachRecord(records, [&](std::uint16_t, qsizetype at, qsizetype end) {
        const std::optional<Reference> reference = referenceIn(records, at, end);
        if (!reference)
            return;
        file.append(records.constData() + copied, at - copied);
        copied = end;
        if (reference->index >= int(pictures.size()))
            return;
        wmf::Record picture(wmf::StretchDib);
        picture.addBytes(records.mid(reference->parameters, kParameterBytes))
            .addBytes(*pictures[std::size_t(reference->index)]);
        const QByteArray& bytes = picture.bytes();
        largest = std::max(largest, std::uint32_t(bytes.size() / 2));
        file.append(bytes);
    });
    file.append(records.constData() + copied, records.size() - copied);
    wmf::put32(file, wmf::kFileSizeWords, std::uint32_t((file.size() - wmf::kPlaceableHeaderBytes) / 2));
    wmf::put32(file, wmf::kMaxRecordWords, largest);
    return file;
}

} // namespace nidora::views::pagepictures
