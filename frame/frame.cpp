// One frame: timers, frames-per-second sample, background, translucent red,
// the outlined read-out, presentation and flip. Everything is rebuilt from
// scratch each time; nothing is cached between frames.
#include "frame/frame.h"

#include "display/background.h"
#include "display/display.h"
#include "frame/ticks.h"
#include "pixels/blit.h"
#include "pixels/fill.h"
#include "pixels/pixel_format.h"
#include "text/text.h"

LONG g_nFrameCount = 0;
LONG g_nFPS = 0;

namespace {

constexpr DWORD kTint = 0x7DFF0000u;    // red at alpha level 15 of 31
constexpr DWORD kOutline = 0x000909FFu; // blue
constexpr DWORD kText = 0x00FFFFFFu;    // white
const char kLabel[] = "FPS:";
constexpr LONG kLabelX = 1;
constexpr LONG kLabelY = 25;

// The eight neighbours of the read-out's position, column by column, draw
// the one-pixel outline; the text itself goes on top.
struct Offset {
    LONG dx, dy;
};
constexpr Offset kOutlineOffsets[8] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

void DrawReadout() {
    for (const Offset& o : kOutlineOffsets)
        DrawLabelNumber(kLabel, g_nFPS, kLabelX + o.dx, kLabelY + o.dy, kOutline, g_pWork);
    DrawLabelNumber(kLabel, g_nFPS, kLabelX, kLabelY, kText, g_pWork);
}

void FlipToScreen() {
    HRESULT hr;
    do {
        hr = g_pDDSPrimary->Flip(nullptr, DDFLIP_WAIT);
    } while (hr == DDERR_WASSTILLDRAWING);

    if (hr == DD_OK) {
        ClearTicks();
    } else if (hr == DDERR_SURFACELOST) {
        // One restore per frame; the next frame presents and flips again.
        RestorePrimary();
    }
    // Any other failure drops the frame silently.
}

} // namespace

void UpdateFrame() {
    UpdateTicks();

    ++g_nFrameCount; // the sampling frame counts itself
    if (g_byTick[TICK_1000MS]) {
        g_nFPS = g_nFrameCount;
        g_nFrameCount = 0;
    }

    if (!g_pWork) return;

    const RECT whole = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    BlitRect(g_pWork, WORK_PITCH, 0, 0, g_pBackground, &whole, WORK_PITCH);
    FillAlphaRect(g_pWork, WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, kTint, 0);
    DrawReadout();

    // Without display objects (they are released only on the way out) the
    // frame stays in memory.
    if (!g_pDDSPrimary || !g_pDDSBack) return;
    PresentBuffer(g_pDDSBack, g_pWork, SCREEN_WIDTH, SCREEN_HEIGHT);
    FlipToScreen();
}
