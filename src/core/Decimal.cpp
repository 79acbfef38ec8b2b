#include "core/Decimal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace nidora {

namespace {

constexpr std::int64_t powerOfTen(int n)
{
    std::int64_t result = 1;
    for (int i = 0; i < n; ++i)
        result *= 10;
    return result;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<Decimal> Decimal::rescaled(int places) const
{
    if (places < 0 || places > maxPlaces)
        return std::nullopt;
    if (places >= places_) {
        std::int64_t units = 0;
        if (__builtin_mul_overflow(units_, powerOfTen(places - places_), &units))
            return std::nullopt;
        return Decimal(units, places);
    }
    const std::int64_t factor = powerOfTen(places_ - places);
    std::int64_t quotient = units_ / factor;
    const std::int64_t remainder = units_ % factor;
    if (remainder >= factor - remainder)
        ++quotient;
    else if (-remainder >= factor + remainder)
        --quotient;
    return Decimal(quotient, places);
}

std::optional<Decimal> Decimal::fromDouble(double value, int places)
{
    if (places < 0 || places > maxPlaces || !std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(value * double(powerOfTen(places)));
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (std::fabs(scaled) >= 9223372036854775808.0)
        return std::nullopt;
    return Decimal(std::int64_t(scaled), places);
}

double Decimal::toDouble() const
{
    return double(units_) / double(powerOfTen(places_));
}

QString Decimal::toString() const
{
    // The magnitude as unsigned, so that the most negative units still print.
    const std::uint64_t magnitude = units_ < 0 ? 0 - std::uint64_t(units_) : std::uint64_t(units_);
    QString digits = QString::number(magnitude);
    if (digits.size() <= places_)
        digits = QString(places_ + 1 - digits.size(), u'0') + digits;
    if (places_ > 0)
        digits.insert(digits.size() - places_, u'.');
    return units_ < 0 ? u'-' + digits : digits;
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    // Accumulated as a negative number, whose range reaches the most negative units.
    std::int64_t units = 0;
    int places = 0;
    int digits = 0;
    bool afterPoint = false;
    for (QChar c : text) {
        if (c == u'.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c))
            return std::nullopt;
        if (__builtin_mul_overflow(units, 10, &units)
            || __builtin_sub_overflow(units, c.unicode() - u'0', &units))
            return std::nullopt;
        ++digits;
        if (afterPoint && ++places > maxPlaces)
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    if (!negative && units == std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return Decimal(negative ? units : -units, places);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    if (a.places() == b.places())
        return a.units() <=> b.units();
    // Bring the one with fewer places up to the other's; when that overflows, its magnitude
    // is beyond any value of the other and its sign decides.
    const bool aHasFewer = a.places() < b.places();
    const Decimal& fewer = aHasFewer ? a : b;
    const Decimal& more = aHasFewer ? b : a;
    std::int64_t scaled = 0;
    std::strong_ordering order = std::strong_ordering::equal;
    if (__builtin_mul_overflow(fewer.units(), powerOfTen(more.places() - fewer.places()), &scaled))
        order = fewer.units() < 0 ? std::strong_ordering::less : std::strong_ordering::greater;
    else
        order = scaled <=> more.units();
    return aHasFewer ? order : 0 <=> order;
}

std::int64_t DecimalType::maxUnits() const
{
    // Beyond 18 digits the units themselves are the limit.
    return digits() > 18 ? std::numeric_limits<std::int64_t>::max() : powerOfTen(std::max(digits(), 0)) - 1;
}

bool DecimalType::holds(const Decimal& value) const
{
    const std::optional<Decimal> stored = fit(value);
    return stored && *stored == value;
}

std::optional<Decimal> DecimalType::fit(const Decimal& value) const
{
    const std::optional<Decimal> stored = value.rescaled(places);
    if (!stored || stored->units() > maxUnits() || stored->units() < -maxUnits())
        return std::nullopt;
    return stored;
}

} // namespace nidora
