// Fifteen interval timers on one clock reading per frame. A timer fires when
// strictly more than its period has passed since it last fired; the
// difference is taken modulo 2^32, so the wrap of the tick count is harmless.
#include "frame/ticks.h"

const DWORD g_dwTickPeriod[TICK_COUNT] = {10, 16, 33, 66, 100, 200, 300, 400, 500, 1000, 2000, 3000, 4000, 5000, 8000};
DWORD g_dwTickLast[TICK_COUNT] = {};
BYTE g_byTick[TICK_COUNT] = {};
DWORD g_dwNow = 0;

void UpdateTicks() {
    const DWORD now = GetTickCount();
    g_dwNow = now;
    for (int i = 0; i < TICK_COUNT; ++i) {
        if (now - g_dwTickLast[i] > g_dwTickPeriod[i]) {
            g_dwTickLast[i] = now; // the phase restarts at each firing: missed periods are not caught up
            ++g_byTick[i];         // wraps modulo 256
        }
    }
}

void ClearTicks() {
    for (BYTE& counter : g_byTick) counter = 0;
}
