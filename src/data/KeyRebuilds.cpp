#include "data/KeyRebuilds.h"

namespace nidora::data {
namespace {

KeyRebuildNotice& notice()
{
    static KeyRebuildNotice current;
    return current;
}

} // namespace

void setKeyRebuildNotice(KeyRebuildNotice told)
{
    notice() = std::move(told);
}

void noteKeysRebuilt(FileId file)
{
    if (notice())
        notice()(file);
}

} // namespace nidora::data
