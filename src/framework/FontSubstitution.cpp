#include "framework/FontSubstitution.h"

#include <QStringList>

#include <algorithm>

namespace nidora::framework {

namespace {

struct Substitution {
    const char* named;
    const char* installed;
};

constexpr Substitution kSubstitutions[] = {
    { "MS Sans Serif", "Liberation Sans" },
    { "Tahoma", "Liberation Sans" },
    { "Arial", "Liberation Sans" },
    { "Courier New", "Liberation Mono" },
};

} // namespace

QString substituteFontFamily(const QString& family)
{
    const QString wanted = family.trimmed();
    for (const Substitution& entry : kSubstitutions)
        if (wanted.compare(QLatin1String(entry.named), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(entry.installed);
    return family;
}

QFont describedFont(const QString& family, int pointSize, bool bold)
{
    QFont font(substituteFontFamily(family), pointSize);
    font.setBold(bold);
    return font;
}

QFont describedPageFont(const QString& family, int pointSize, bool bold)
{
    QFont font = describedFont(family, pointSize, bold);
    // Were the stand-in missing, the named face is the next one tried.
    if (font.family() != family)
        font.setFamilies({ font.family(), family });
    return font;
}

QString describedFamily(const QFont& font)
{
    for (const QString& family : font.families())
        if (substituteFontFamily(family) != family)
            return family;
    return font.family();
}

QFont describedPixelFont(const QString& family, int pixelHeight, int weight)
{
    QFont font(substituteFontFamily(family));
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Weight(std::clamp(weight, int(QFont::Normal), int(QFont::Black))));
    return font;
}

} // namespace nidora::framework
