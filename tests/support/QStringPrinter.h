#pragma once

#include <QString>

#include <ostream>

// Failure messages show texts as text rather than as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
