#include "views/ReportPage.h"

#include "views/MetafileEngine.h"
#include "views/MetafileFormat.h"
#include "views/MetafilePlayback.h"
#include "views/PagePictures.h"

#include <QPainter>

#include <climits>

namespace nidora::views {

ReportPage ReportPage::portrait()
{
    return ReportPage(wmf::blankFile(kShortSide, kLongSide));
}

ReportPage ReportPage::landscape()
{
    return ReportPage(wmf::blankFile(kLongSide, kShortSide));
}

ReportPage ReportPage::fromMetafile(const QByteArray& bytes)
{
    ReportPage page;
    if (!page.setMetafile(bytes))
        page.valid_ = false;
    return page;
}

ReportPage::ReportPage()
    : ReportPage(wmf::blankFile(kShortSide, kLongSide))
{
}

ReportPage::ReportPage(QByteArray bytes)
    : bytes_(std::move(bytes))
{
}

ReportPage::ReportPage(const ReportPage& other)
    : QPaintDevice()
    , bytes_(other.bytes_)
    , pictures_(other.pictures_)
    , valid_(other.valid_)
    , playback_(other.playback_)
{
}

// A page being painted keeps its engine: the painter holds it.
ReportPage::ReportPage(ReportPage&& other) noexcept
    : QPaintDevice()
    , bytes_(std::move(other.bytes_))
    , pictures_(std::move(other.pictures_))
    , valid_(other.valid_)
    , playback_(std::move(other.playback_))
{
}

ReportPage& ReportPage::operator=(const ReportPage& other)
{
    if (this != &other) {
        bytes_ = other.bytes_;
        pictures_ = other.pictures_;
        valid_ = other.valid_;
        playback_ = other.playback_;
    }
    return *this;
}

ReportPage& ReportPage::operator=(ReportPage&& other) noexcept
{
    if (this != &other) {
        bytes_ = std::move(other.bytes_);
        pictures_ = std::move(other.pictures_);
        valid_ = other.valid_;
        playback_ = std::move(other.playback_);
    }
    return *this;
}

ReportPage::~ReportPage() = default;

QSize ReportPage::size() const
{
    const QSize box = wmf::boundingBox(bytes_).size();
    const int inch = wmf::u16(bytes_, wmf::kInchField);
    if (inch == 0 || inch == kUnitsPerInch)
        return box;
    return QSize(
        int(qint64(box.width()) * kUnitsPerInch / inch), int(qint64(box.height()) * kUnitsPerInch / inch));
}

QByteArray ReportPage::metafile() const
{
    return pagepictures::expanded(bytes_, pictures_);
}

bool ReportPage::setMetafile(const QByteArray& bytes)
{
    if (!wmf::isPlaceable(bytes))
        return false;
    bytes_ = bytes;
    pictures_.clear();
    valid_ = true;
    playback_.reset();
    return true;
}

bool ReportPage::setRecords(const QByteArray& bytes)
{
    if (!wmf::isPlaceable(bytes))
        return false;
    bytes_ = bytes;
    playback_.reset();
    return true;
}

void ReportPage::recorded(QByteArray bytes, std::vector<std::shared_ptr<const QByteArray>> pictures)
{
    bytes_ = std::move(bytes);
    pictures_ = std::move(pictures);
    playback_.reset();
}

const PagePlayback& ReportPage::playback() const
{
    if (!playback_)
        playback_ = std::make_shared<const PagePlayback>(PagePlayback::read(bytes_, pictures_));
    return *playback_;
}

void ReportPage::play(QPainter& painter) const
{
    playback().play(painter);
}

void ReportPage::draw(QPainter& painter, const QRectF& target) const
{
    const QSize natural = size();
    if (natural.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / natural.width(), target.height() / natural.height());
    painter.setClipRect(QRectF(QPointF(0, 0), QSizeF(natural)), Qt::IntersectClip);
    play(painter);
    painter.restore();
}

QPaintEngine* ReportPage::paintEngine() const
{
    if (!engine_)
        engine_ = std::make_unique<MetafileEngine>();
    return engine_.get();
}

int ReportPage::metric(PaintDeviceMetric metric) const
{
    const QSize natural = size();
    switch (metric) {
    case PdmWidth:
        return natural.width();
    case PdmHeight:
        return natural.height();
    case PdmWidthMM:
        return int(natural.width() * 25.4 / kUnitsPerInch + 0.5);
    case PdmHeightMM:
        return int(natural.height() * 25.4 / kUnitsPerInch + 0.5);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return kUnitsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace nidora::views
