#pragma once

#include <functional>

namespace nidora::test {

// Logical threads and windows run only from the main loop, so a test spins it until what it
// expects holds. The bound only keeps a broken scheduler or window from hanging the run;
// false when it was reached.
bool runUntil(const std::function<bool()>& done);

} // namespace nidora::test
