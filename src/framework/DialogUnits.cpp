#include "framework/DialogUnits.h"

#include <QFontMetrics>

namespace nidora::framework {

namespace {

// value * numerator / denominator, rounded to the nearest whole pixel (halves away from zero).
int scaleRounded(int value, int numerator, int denominator)
{
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, the way dialog layouts have always
    // measured a font.
    const int letters
        = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = qMax(1, (letters / 26 + 1) / 2);
    baseHeight_ = qMax(1, metrics.height());
}

int DialogUnits::toPixelsX(int units) const
{
    return scaleRounded(units, baseWidth_, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return scaleRounded(units, baseHeight_, 8);
}

QSize DialogUnits::toPixels(QSize units) const
{
    return QSize(toPixelsX(units.width()), toPixelsY(units.height()));
}

QRect DialogUnits::toPixels(const DialogRect& units) const
{
    return QRect(toPixelsX(units.x), toPixelsY(units.y), toPixelsX(units.width), toPixelsY(units.height));
}

} // namespace nidora::framework
