// Composes one whole frame in the work buffer and flips it onto the screen.
#pragma once

#include "platform/win32_api.h"

extern LONG g_nFrameCount;
extern LONG g_nFPS;

void UpdateFrame();
