// Device contexts of the layer: the memory kind, which holds a selected
// bitmap, and the kind that draws into the memory of a 16-bit surface.
// Surfaces hand one out from GetDC; the GDI services below work on both.
#pragma once

#include "platform/gdi/color16.h"
#include "platform/win32_api.h"

namespace platform {

struct Bitmap; // a loaded picture (the bitmap services define it)

struct DeviceContext {
    enum class Kind { Memory, Surface } kind;
    // Surface kind: the surface's memory while the DC is out.
    BYTE* pixels = nullptr;
    LONG pitch = 0;
    int width = 0;
    int height = 0;
    bool rgb565 = true;
    // Memory kind: the bitmap selected into it, if any.
    Bitmap* selected = nullptr;
};

HDC MakeSurfaceDC(void* pixels, LONG pitch, int width, int height, bool rgb565);
void FreeSurfaceDC(HDC dc);
DeviceContext* ToDeviceContext(HDC dc);

} // namespace platform
