#include "practice/TableForm.h"

namespace nidora::practice {

TableForm::TableForm(QString procedureName, data::FileId file, views::FormCaptions captions,
    const QString& caption, int width, int height, framework::SheetControl::Style style)
    : FormWindow(std::move(procedureName), file, std::move(captions))
    , width_(width)
    , height_(height)
{
    setCaption(caption);
    setSize(width, height);
    setCentred();
    setWallpaper(QStringLiteral("fondo.bmp"));
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
    const int y = height_ - kFootHeight + 6;
    addOk(QStringLiteral("?OK"), { width_ - 102, y, 45, 14 }, QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { width_ - 53, y, 45, 14 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
}

} // namespace nidora::practice
