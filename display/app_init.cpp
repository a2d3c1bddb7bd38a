// The one-time start-up: the work buffer, the display in exclusive
// full-screen mode at 640x480x16, the pixel layout, the background picture
// and the fonts, in that order.
#include <cstdlib>

#include "app/app.h"
#include "display/background.h"
#include "display/display.h"
#include "pixels/pixel_format.h"
#include "text/font.h"

namespace {

constexpr DWORD kDisplayBitsPerPixel = 16;

// Creates the display object and the flipping pair. Every failure is shown
// (the error box releases whatever was made) and ends the set-up there: the
// steps after it would work on objects that no longer exist.
bool SetUpDisplay() {
    IDirectDraw* first = nullptr;
    if (DirectDrawCreate(nullptr, &first, nullptr) != DD_OK) {
        ErrorBox("DirectDrawCreate FAILED");
        return false;
    }
    // The first interface serves only to ask for the one the program uses.
    const HRESULT asked = first->QueryInterface(IID_IDirectDraw4, reinterpret_cast<void**>(&g_pDD));
    first->Release();
    if (asked != DD_OK) {
        g_pDD = nullptr;
        ErrorBox("QueryInterface FAILED");
        return false;
    }

    if (g_pDD->SetCooperativeLevel(g_hWnd, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK) {
        ErrorBox("SetCooperativeLevel FAILED");
        return false;
    }
    if (g_pDD->SetDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT, kDisplayBitsPerPixel, 0, 0) != DD_OK) {
        ErrorBox("SetDisplayMode\tFAILED");
        return false;
    }

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (g_pDD->CreateSurface(&desc, &g_pDDSPrimary, nullptr) != DD_OK) {
        g_pDDSPrimary = nullptr;
        ErrorBox("CreateSurface\tFAILED");
        return false;
    }

    DDSCAPS2 caps{};
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    if (g_pDDSPrimary->GetAttachedSurface(&caps, &g_pDDSBack) != DD_OK) {
        g_pDDSBack = nullptr;
        ErrorBox("GetAttachedSurface FAILED");
        return false;
    }
    return true;
}

} // namespace

int AppInit() {
    ShowCursor(FALSE);

    if (!g_pWork) {
        // Cache-line aligned, so that the wide fill and copy loops start on
        // whole lines; freed with free() like any heap block.
        g_pWork = static_cast<WORD*>(std::aligned_alloc(64, WORK_BYTES));
        if (!g_pWork) {
            ErrorBox("Out of memory");
            return 1;
        }
    }

    if (!SetUpDisplay()) return 1;

    g_b565 = DetectPixelFormat(g_pDDSBack);
    SetupPixelMasks();

    if (!g_pBackground) LoadBackground();
    if (!g_pCmFont) LoadFonts();

    // A message about a missing picture or font released the display so that
    // it could be seen; take the display over again and run on without what
    // was missing. The layout stays the one detected above.
    if (!g_pDD && !SetUpDisplay()) return 1;
    return 0;
}
