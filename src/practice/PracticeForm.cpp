#include "practice/PracticeForm.h"

namespace nidora::practice {

namespace {

constexpr int kButtonWidth = 45;
constexpr int kButtonGap = 4;

} // namespace

PracticeForm::PracticeForm(QString procedureName, data::FileId file, views::FormCaptions captions,
    const QString& caption, int width, int height)
    : FormWindow(std::move(procedureName), file, std::move(captions))
    , width_(width)
    , height_(height)
{
    setCaption(caption);
    setSize(width, height);
    setCentred();
    setWallpaper(QStringLiteral("fondo.bmp"));
}

void PracticeForm::addOkAndCancel(int y, int right)
{
    const int cancel = right - kButtonWidth;
    addOk(QStringLiteral("?OK"), { cancel - kButtonGap - kButtonWidth, y, kButtonWidth, 14 },
        QStringLiteral("OK"), QStringLiteral("si.bmp"));
    addCancel(QStringLiteral("?CANCEL"), { cancel, y, kButtonWidth, 14 }, QStringLiteral("Cancelar"),
        QStringLiteral("no.bmp"));
}

} // namespace nidora::practice
