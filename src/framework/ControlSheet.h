#pragma once

#include "framework/Control.h"

#include <QTabWidget>

namespace nidora::framework {

// One page of a sheet; the controls added inside it (Window::addIn) show on that page.
class TabControl final : public Control {
public:
    explicit TabControl(const QString& text);
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Pages of controls, one shown at a time. With its tab strip the user picks the page; a
// wizard-style sheet shows no strip and its pages are chosen by the program only. Another page
// becoming current raises a new-selection event.
class SheetControl final : public Control {
public:
    enum class Style { Tabs, Wizard };

    explicit SheetControl(Style style = Style::Tabs);

    Style style() const { return style_; }
    int pageCount() const;
    // The current page from 0.
    int currentPage() const;
    void setCurrentPage(int index);

protected:
    void adopt(Control& child, const QRect& pixels) override;

private:
    QTabWidget* tabs_;
    Style style_;
};

} // namespace nidora::framework
