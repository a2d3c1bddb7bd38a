// Counts heap allocations made anywhere in the process (malloc, calloc,
// realloc, aligned allocation, and operator new, which goes through malloc).
#pragma once

#include <cstdint>

namespace bench {
uint64_t HeapAllocations();
} // namespace bench
