#include "framework/ControlShapes.h"

namespace nidora::framework {

BoxControl::BoxControl()
    : Control(ControlKind::Box, new QFrame)
{
    static_cast<QFrame*>(widget())->setFrameShape(QFrame::Box);
}

GroupControl::GroupControl(const QString& text)
    : Control(ControlKind::Group, new QGroupBox(text))
{
}

PanelControl::PanelControl()
    : Control(ControlKind::Panel, new QFrame)
{
    auto* panel = static_cast<QFrame*>(widget());
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

LineControl::LineControl()
    : Control(ControlKind::Line, new QFrame)
{
}

void LineControl::attached()
{
    auto* line = static_cast<QFrame*>(widget());
    line->setFrameShape(line->width() >= line->height() ? QFrame::HLine : QFrame::VLine);
}

RegionControl::RegionControl()
    : Control(ControlKind::Region, new QWidget)
{
}

ProgressControl::ProgressControl()
    : Control(ControlKind::Progress, new QProgressBar)
    , bar_(static_cast<QProgressBar*>(widget()))
{
    bar_->setRange(0, 100);
    bar_->setValue(0);
}

void ProgressControl::setValue(int percent)
{
    bar_->setValue(percent);
}

int ProgressControl::value() const
{
    return bar_->value();
}

} // namespace nidora::framework
