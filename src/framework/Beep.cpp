#include "framework/Beep.h"

#include <QApplication>

namespace nidora::framework {
namespace {

int beeps = 0;

} // namespace

void beep()
{
    ++beeps;
    QApplication::beep();
}

int beepsSoFar()
{
    return beeps;
}

} // namespace nidora::framework
