// Puts every global of the program back to its start-of-process state, and
// the fake layer with it, so that each test starts from a fresh process.
#pragma once

#include <cstdlib>

#include "app/app.h"
#include "display/background.h"
#include "display/display.h"
#include "frame/frame.h"
#include "frame/ticks.h"
#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"
#include "text/font.h"

inline void ResetProgramGlobals() {
    fake::Reset();
    g_hWnd = nullptr;
    g_hInstance = nullptr;
    g_pDD = nullptr;
    g_pDDSPrimary = nullptr;
    g_pDDSBack = nullptr;
    g_b565 = 0;
    g_dwPairMaskA = g_dwPairMaskB = 0;
    std::free(g_pWork);
    g_pWork = nullptr;
    std::free(g_pBackground);
    g_pBackground = nullptr;
    FreeFontBlock(g_pEmFont);
    g_pEmFont = nullptr;
    FreeFontBlock(g_pCmFont);
    g_pCmFont = nullptr;
    for (int i = 0; i < TICK_COUNT; ++i) g_dwTickLast[i] = 0;
    ClearTicks();
    g_dwNow = 0;
    g_nFrameCount = 0;
    g_nFPS = 0;
}

// Font blocks whose every glyph is solid ink, so that a read-out shows as
// filled cells: 128 single-byte records of 9 bytes, 2 runs of Big5 records.
inline void LoadSolidFonts() {
    g_pEmFont = AllocFontBlock(128 * 9);
    for (DWORD i = 0; i < 128 * 9; ++i) g_pEmFont[i] = 0xFF;
    g_pCmFont = AllocFontBlock(2 * 157 * 18);
    for (DWORD i = 0; i < 2 * 157 * 18; ++i) g_pCmFont[i] = 0xFF;
}

// A fresh process whose picture and fonts are already in place, so that
// start-up does not look for them: a black background and solid fonts.
inline void ResetWithPictureAndFonts() {
    ResetProgramGlobals();
    g_pBackground = static_cast<WORD*>(std::calloc(WORK_BYTES, 1));
    LoadSolidFonts();
}
