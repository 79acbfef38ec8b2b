#pragma once

#include "data/Dictionary.h"

namespace nidora::framework {
class ThreadContext;
}

// Each logical thread's own Dictionary, made on the thread's first use of it (or by the
// thread's set-up) and disposed, its files closed, when the thread ends.
namespace nidora::data {

Dictionary& threadDictionary(framework::ThreadContext& thread);
// The running logical thread's.
Dictionary& threadDictionary();
// Disposes of the thread's Dictionary now, closing every file it still holds open; the next
// use makes a fresh one.
void releaseThreadDictionary(framework::ThreadContext& thread);

} // namespace nidora::data
