// The C library's allocator is replaced by thin wrappers that count each
// allocation and hand it to glibc's own entry points, so nothing else about
// the heap changes.
#include "bench/heap_counter.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace {
std::atomic<uint64_t> g_allocations{0};
}

namespace bench {
uint64_t HeapAllocations() { return g_allocations.load(std::memory_order_relaxed); }
} // namespace bench

extern "C" {

void* malloc(size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, size);
}

void free(void* block) { __libc_free(block); }

} // extern "C"
