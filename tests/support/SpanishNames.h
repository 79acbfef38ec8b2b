#pragma once

#include <QString>
#include <QStringList>

// Names in the Spanish alphabetical order that keys must keep: accented capitals with their
// base letter, an accent deciding only between the same letters (ALVAREZ, then ÁLVAREZ), and
// Ñ a letter of its own between N and O.
namespace nidora::test {

inline QStringList spanishNames()
{
    return { QStringLiteral("ALBA"), QStringLiteral("ALVAREZ"), QStringLiteral("ÁLVAREZ"),
        QStringLiteral("AZUL"), QStringLiteral("ÉBANO"), QStringLiteral("EZEIZA"), QStringLiteral("NOVOA"),
        QStringLiteral("NUNEZ"), QStringLiteral("NÚÑEZ"), QStringLiteral("ÑANDÚ"), QStringLiteral("OCAMPO"),
        QStringLiteral("ÚBEDA"), QStringLiteral("ZAPATA") };
}

// The same names, each followed by its lower-case twin, which is one key value with it.
inline QStringList spanishNamesWithTwins()
{
    QStringList names;
    for (const QString& name : spanishNames())
        names << name << name.toLower();
    return names;
}

} // namespace nidora::test
