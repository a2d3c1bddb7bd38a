// The two 16-bit pixel layouts, packed colours, the channel masks of the
// translucent fill, and the work buffer in which every frame is composed.
#pragma once

#include "platform/win32_api.h"

// Work buffer geometry: 640x480 pixels of 16 bits, rows packed without gaps.
constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr int WORK_PITCH = SCREEN_WIDTH * 2;                    // 1280 bytes
constexpr DWORD WORK_BYTES = WORK_PITCH * SCREEN_HEIGHT;        // 614400 bytes

// 1 = RGB565, any other value = RGB555. Set once at start-up.
extern WORD g_b565;

// Pair masks of the fill. A: red and blue of the left pixel, green of the
// right one. B: green of the left pixel, red and blue of the right one.
extern DWORD g_dwPairMaskA;
extern DWORD g_dwPairMaskB;

// The work buffer (SCREEN_WIDTH x SCREEN_HEIGHT pixels, pitch WORK_PITCH).
extern WORD* g_pWork;

// Installs the pair masks for the layout that g_b565 names.
void SetupPixelMasks();

// 0xAARRGGBB -> 16-bit pixel of the current layout, each channel truncated.
WORD ColorToPixel(DWORD color);
