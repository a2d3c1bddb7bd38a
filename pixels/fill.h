// Translucent rectangle fill: blends a packed colour over a rectangle of a
// 16-bit buffer at the colour's alpha level (top five bits, 0..31).
#pragma once

#include "platform/win32_api.h"

// Clipped against 640x480. Low byte of skip nonzero: destination pixels that
// are 0 stay 0.
void FillAlphaRect(WORD* buffer, LONG pitch, LONG width, LONG height, LONG x, LONG y, DWORD color, DWORD skip);
