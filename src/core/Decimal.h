#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>
#include <optional>

namespace nidora {

// An exact signed decimal held as a count of units of 10^-places, so that amounts and
// measurements never pass through floating point on their way between a field and its text.
class Decimal {
public:
    static constexpr int maxPlaces = 18;

    constexpr Decimal() = default;
    constexpr Decimal(std::int64_t units, int places)
        : units_(units)
        , places_(places)
    {
    }

    constexpr std::int64_t units() const { return units_; }
    constexpr int places() const { return places_; }
    constexpr bool isZero() const { return units_ == 0; }

    // The value with another number of places, rounded half away from zero when places
    // are dropped; nothing when it would not fit in the units or places is out of range.
    std::optional<Decimal> rescaled(int places) const;

    // The nearest value with the given places, rounded half away from zero; nothing when
    // the value is not finite or too large.
    static std::optional<Decimal> fromDouble(double value, int places);
    double toDouble() const;

    // Plain text: an optional "-", the integer digits (at least one), and when places > 0
    // a "." with exactly that many digits. No grouping.
    QString toString() const;

    // Reads [spaces][+|-]digits[.digits][spaces] (digits on at least one side of the point);
    // the result has as many places as digits were typed after the point. Nothing for any
    // other text or a value too large to hold.
    static std::optional<Decimal> parse(QStringView text);

    // Compare by value: 1.50 equals 1.5.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) { return (a <=> b) == 0; }

private:
    std::int64_t units_ = 0;
    int places_ = 0;
};

// The type DECIMAL(b,p) of a field: b bytes hold at most 2b - 1 digits, p of them after
// the point. Up to 9 bytes (17 digits) are held exactly; wider types are limited by the
// range of the units.
struct DecimalType {
    int bytes = 0;
    int places = 0;

    constexpr int digits() const { return 2 * bytes - 1; }
    // The largest value the type holds, in its own units (b = 2, p = 1: 999 for 99.9).
    std::int64_t maxUnits() const;
    // True when the value is exactly representable in the type.
    bool holds(const Decimal& value) const;
    // The value as the field stores it: at the type's places (rounded half away from zero),
    // or nothing when the result is out of the type's range.
    std::optional<Decimal> fit(const Decimal& value) const;
};

} // namespace nidora
