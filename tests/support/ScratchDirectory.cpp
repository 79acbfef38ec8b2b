#include "support/ScratchDirectory.h"

namespace nidora::test {

ScratchDirectory::ScratchDirectory()
    : previous_(QDir::currentPath())
{
    QDir::setCurrent(dir_.path());
}

ScratchDirectory::~ScratchDirectory()
{
    QDir::setCurrent(previous_);
}

} // namespace nidora::test
