// Kernel services over POSIX: the last-error code, the millisecond tick count,
// the module handle and debug output.
#include <cstdio>
#include <ctime>

#include "platform/posix/last_error.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

// The program is one module; its handle only has to be non-null and stable.
char g_moduleTag;

} // namespace

namespace platform {

void SetLastErrorCode(DWORD code) { t_lastError = code; }

} // namespace platform

DWORD GetLastError() { return t_lastError; }

DWORD GetTickCount() {
    // The monotonic clock counts from boot, as the tick count does; the
    // truncation to 32 bits gives the same wrap every 49.7 days.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const unsigned long long ms =
        static_cast<unsigned long long>(now.tv_sec) * 1000ull + static_cast<unsigned long long>(now.tv_nsec) / 1000000ull;
    return static_cast<DWORD>(ms);
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
    // Only the program itself is known; no other module can be named.
    if (lpModuleName) return nullptr;
    return reinterpret_cast<HMODULE>(&g_moduleTag);
}

void OutputDebugStringA(LPCSTR lpOutputString) {
    if (!lpOutputString) return;
    std::fputs(lpOutputString, stderr);
    std::fflush(stderr);
}
