// Finds the display's 16-bit layout: white written through a device context
// has bit 15 set in RGB565 and clear in RGB555, where that bit is unused.
#include "display/display.h"
#include "pixels/surface_lock.h"

WORD DetectPixelFormat(IDirectDrawSurface4* surface) {
    WORD result = 0;
    if (!surface) return result;

    HDC dc = nullptr;
    if (surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, RGB(255, 255, 255));
        surface->ReleaseDC(dc);
    }

    DDSURFACEDESC2 desc;
    if (LockWholeSurface(surface, &desc) == DD_OK) {
        const WORD topLeft = *static_cast<const WORD*>(desc.lpSurface);
        result = static_cast<WORD>(topLeft >> 15);
        surface->Unlock(nullptr);
    }

    // The probe pixel goes back to black.
    if (surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, RGB(0, 0, 0));
        surface->ReleaseDC(dc);
    }
    return result;
}
