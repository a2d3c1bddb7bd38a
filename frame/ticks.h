// Fifteen interval timers, advanced once per frame from the millisecond tick
// count. A counter says how often its timer fired since the last clear.
#pragma once

#include "platform/win32_api.h"

constexpr int TICK_COUNT = 15;
constexpr int TICK_1000MS = 9;

extern const DWORD g_dwTickPeriod[TICK_COUNT];
extern DWORD g_dwTickLast[TICK_COUNT];
extern BYTE g_byTick[TICK_COUNT];
extern DWORD g_dwNow;

void UpdateTicks();
void ClearTicks();
