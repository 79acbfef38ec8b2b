#include "practice/TableForm.h"

namespace nidora::practice {

TableForm::TableForm(QString procedureName, data::FileId file, views::FormCaptions captions,
    const QString& caption, int width, int height, framework::SheetControl::Style style)
    : PracticeForm(std::move(procedureName), file, std::move(captions), caption, width, height)
{
    sheet_ = &add<framework::SheetControl>(
        QStringLiteral("?CURRENTTAB"), { 4, 4, width - 8, height - kFootHeight - 4 }, style);
}

framework::TabControl& TableForm::addPage(const QString& caption)
{
    return addIn<framework::TabControl>(
        *sheet_, QStringLiteral("?TAB%1").arg(sheet_->pageCount() + 1), {}, caption);
}

void TableForm::addButtons()
{
    addOkAndCancel(formHeight() - kFootHeight + 6, formWidth() - 8);
}

} // namespace nidora::practice
