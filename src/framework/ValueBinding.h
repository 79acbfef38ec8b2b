#pragma once

#include <QVariant>

#include <functional>

namespace nidora::framework {

// Where a data control keeps its value: a variable of its procedure (a record field or a local
// value), read when the window shows it and written when the user's input is taken.
struct ValueBinding {
    std::function<QVariant()> load;
    std::function<void(const QVariant&)> store;

    explicit operator bool() const { return static_cast<bool>(load); }
};

// Binds to a variable that outlives the control.
template <class T> ValueBinding bindTo(T& variable)
{
    return ValueBinding { [&variable] { return QVariant::fromValue(variable); },
        [&variable](const QVariant& value) { variable = value.value<T>(); } };
}

} // namespace nidora::framework
