#pragma once

#include "data/Catalogue.h"

#include <functional>

// Keys rebuilt while windows show rows in their order: the rows a list holds were read through
// the damaged keys, so every list over the file reads them again. The program puts in a notice
// that reaches its lists; without one nothing is told.
namespace nidora::data {

using KeyRebuildNotice = std::function<void(FileId file)>;

void setKeyRebuildNotice(KeyRebuildNotice notice);
// Tells the notice in force that the file's keys were rebuilt.
void noteKeysRebuilt(FileId file);

} // namespace nidora::data
