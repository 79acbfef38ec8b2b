#include "support/RunUntil.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace nidora::test {

bool runUntil(const std::function<bool()>& done)
{
    QDeadlineTimer bound(10'000);
    while (!done()) {
        if (bound.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace nidora::test
