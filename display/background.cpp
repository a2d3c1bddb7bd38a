// The background step: the picture "BACK" painted into a temporary surface in
// the display's layout, then copied out into the plain block that every frame
// starts from.
#include <cstdlib>

#include "app/app.h"
#include "display/background.h"
#include "display/display.h"
#include "pixels/pixel_format.h"
#include "pixels/surface_lock.h"

WORD* g_pBackground = nullptr;

void LoadBackground() {
    // The picture is asked for at the frame's own size, so that one of
    // another size arrives scaled and the block is always SCREEN_WIDTH x
    // SCREEN_HEIGHT: the frame reads exactly that much from it.
    WORD width = 0;
    WORD height = 0;
    IDirectDrawSurface4* surface =
        g_pDD ? DDLoadBitmap(g_pDD, "BACK", &width, &height, SCREEN_WIDTH, SCREEN_HEIGHT) : nullptr;
    if (!surface) ErrorBox("DDLoadBitmap BACKBitmap FAILED");

    // Zeroed: black in both layouts, which is what stays when there is no
    // picture or its surface cannot be read.
    WORD* block = static_cast<WORD*>(std::calloc(WORK_BYTES, 1));

    if (surface) {
        DDApplyColorKey(surface, RGB(0, 0, 0));
        // A loader that did not scale as asked would leave a surface whose
        // rows do not fit the block; its picture is left out.
        if (block && width == SCREEN_WIDTH && height == SCREEN_HEIGHT)
            SurfaceToMemory(reinterpret_cast<DWORD*>(block), surface, width, height);
        surface->Release();
    }

    g_pBackground = block;
    if (!block) ErrorBox("Out of memory");
}

void SurfaceToMemory(DWORD* dst, IDirectDrawSurface4* surface, int width, int height) {
    if (!dst || !surface) return;
    const int pairs = width / 2; // two pixels per 32-bit word; an odd last pixel is dropped

    DDSURFACEDESC2 desc;
    if (LockWholeSurface(surface, &desc) != DD_OK) return;

    const LONG strideWords = desc.lPitch / 2 / 2;
    const DWORD* src = static_cast<const DWORD*>(desc.lpSurface);
    for (int row = 0; row < height; ++row) {
        const DWORD* from = src + static_cast<ptrdiff_t>(row) * strideWords;
        for (int i = 0; i < pairs; ++i) dst[i] = from[i];
        if (pairs > 0) dst += pairs;
    }
    surface->Unlock(nullptr);
}
