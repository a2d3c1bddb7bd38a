// Milliseconds on a clock that never jumps, for the tests' bounded waits.
#pragma once

#include <time.h>

namespace testing_support {

inline long long NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000LL + t.tv_nsec / 1000000;
}

} // namespace testing_support
