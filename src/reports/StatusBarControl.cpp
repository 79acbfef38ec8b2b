#include "reports/StatusBarControl.h"

#include "framework/Window.h"

#include <QEvent>
#include <QHBoxLayout>

namespace nidora::reports {

namespace {

// Puts a control's status-bar message into the first part while the pointer is over it.
class MessageOnHover final : public QObject {
public:
    MessageOnHover(QObject* parent, QLabel* part, std::function<QString()> message)
        : QObject(parent)
        , part_(part)
        , message_(std::move(message))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Enter)
            part_->setText(message_());
        else if (event->type() == QEvent::Leave)
            part_->clear();
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* part_;
    std::function<QString()> message_;
};

} // namespace

StatusBarControl::StatusBarControl(std::vector<int> widths)
    : Control(framework::ControlKind::Panel, new QWidget)
    , widths_(std::move(widths))
{
    auto* layout = new QHBoxLayout(widget());
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        auto* part = new QLabel(widget());
        part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        part->setObjectName(QStringLiteral("?StatusPart%1").arg(i + 1));
        layout->addWidget(part, i + 1 == widths_.size() ? 1 : 0);
        parts_.push_back(part);
    }
}

void StatusBarControl::attached()
{
    for (std::size_t i = 0; i + 1 < parts_.size(); ++i)
        parts_[i]->setFixedWidth(window().units().toPixelsX(widths_[i]));
}

void StatusBarControl::setText(int part, const QString& text)
{
    if (part >= 1 && part <= int(parts_.size()))
        parts_[std::size_t(part - 1)]->setText(text);
}

QString StatusBarControl::text(int part) const
{
    return part >= 1 && part <= int(parts_.size()) ? parts_[std::size_t(part - 1)]->text() : QString();
}

void StatusBarControl::showMessageOf(framework::Control& control, std::function<QString()> message)
{
    control.widget()->installEventFilter(
        new MessageOnHover(control.widget(), parts_.front(), std::move(message)));
}

} // namespace nidora::reports
