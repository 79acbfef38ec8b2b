#include "clinical/CapturePreview.h"

#include <QPainter>
#include <QVBoxLayout>

namespace nidora::clinical {

CapturePreview::CapturePreview(QWidget* area)
    : QWidget(area)
{
    setObjectName(QStringLiteral("CapturePreview"));
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(this);
}

void CapturePreview::show(const QImage& picture)
{
    picture_ = picture;
    update();
}

void CapturePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect at(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
    painter.drawImage(at, picture_);
}

} // namespace nidora::clinical
