#include "core/TextClip.h"

namespace nidora {

QString clipped(QString text)
{
    qsizetype length = text.size();
    while (length > 0 && text.at(length - 1) == QLatin1Char(' '))
        --length;
    text.truncate(length);
    return text;
}

} // namespace nidora
