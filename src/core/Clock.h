#pragma once

#include "core/Date.h"

#include <QDateTime>

#include <optional>

namespace nidora {

// The one source of "today" and "now" for the whole program, so that tests can fix the
// instant the program sees.
class Clock {
public:
    // The local date and time: the fixed instant while one is set, the system clock otherwise.
    static QDateTime current();
    static Date today();
    static Time now();

    // Fixes the clock at an instant for its lifetime and puts back what was there before
    // when it ends, so fixings nest.
    class Fixed {
    public:
        explicit Fixed(const QDateTime& instant);
        ~Fixed();
        Fixed(const Fixed&) = delete;
        Fixed& operator=(const Fixed&) = delete;

    private:
        std::optional<QDateTime> previous_;
    };

private:
    static std::optional<QDateTime>& fixedInstant();
};

} // namespace nidora
