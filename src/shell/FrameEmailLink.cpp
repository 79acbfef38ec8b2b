#include "shell/FrameEmailLink.h"

#include "framework/FontSubstitution.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace nidora::shell {

FrameEmailLink::FrameEmailLink(const QString& address, int pointSize, QWidget* parent)
    : QWidget(parent)
    , text_(new QLabel(address, this))
{
    setCursor(Qt::PointingHandCursor);
    QFont font = framework::describedFont(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    text_->setFont(font);
    text_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(text_);
}

// The press is taken so that its release comes here too; a release outside the region, as
// with a button, chooses nothing.
void FrameEmailLink::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void FrameEmailLink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace nidora::shell
