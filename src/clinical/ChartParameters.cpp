#include "clinical/ChartParameters.h"

#include "framework/ThreadContext.h"

namespace nidora::clinical {

ChartParameters& chartParameters()
{
    return framework::currentThread().local<ChartParameters>();
}

QString fitted(const QString& text, int size)
{
    return text.left(size).leftJustified(size, QLatin1Char(' '));
}

} // namespace nidora::clinical
