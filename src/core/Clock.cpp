#include "core/Clock.h"

namespace nidora {

std::optional<QDateTime>& Clock::fixedInstant()
{
    static std::optional<QDateTime> instant;
    return instant;
}

QDateTime Clock::current()
{
    return fixedInstant().value_or(QDateTime::currentDateTime());
}

Date Clock::today()
{
    return fromQDate(current().date());
}

Time Clock::now()
{
    return fromQTime(current().time());
}

Clock::Fixed::Fixed(const QDateTime& instant)
    : previous_(fixedInstant())
{
    fixedInstant() = instant;
}

Clock::Fixed::~Fixed()
{
    fixedInstant() = previous_;
}

} // namespace nidora
