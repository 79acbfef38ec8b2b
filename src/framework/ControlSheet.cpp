#include "framework/ControlSheet.h"

#include "framework/WindowEvent.h"

#include <QTabBar>

namespace nidora::framework {

TabControl::TabControl(const QString& text)
    : Control(ControlKind::Tab, new QWidget)
    , text_(text)
{
}

SheetControl::SheetControl(Style style)
    : Control(ControlKind::Sheet, new QTabWidget)
    , tabs_(static_cast<QTabWidget*>(widget()))
    , style_(style)
{
    tabs_->tabBar()->setVisible(style == Style::Tabs);
    QObject::connect(tabs_, &QTabWidget::currentChanged, tabs_, [this] { post(event::NewSelection); });
}

void SheetControl::adopt(Control& child, const QRect& pixels)
{
    if (auto* tab = dynamic_cast<TabControl*>(&child)) {
        const QSignalBlocker quiet(tabs_);
        tabs_->addTab(tab->widget(), tab->text());
        return;
    }
    Control::adopt(child, pixels);
}

int SheetControl::pageCount() const
{
    return tabs_->count();
}

int SheetControl::currentPage() const
{
    return tabs_->currentIndex();
}

void SheetControl::setCurrentPage(int index)
{
    tabs_->setCurrentIndex(index);
}

} // namespace nidora::framework
