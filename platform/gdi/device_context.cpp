// Surface device contexts and single-pixel access through them.
#include "platform/gdi/device_context.h"

#include <cstring>

namespace platform {

HDC MakeSurfaceDC(void* pixels, LONG pitch, int width, int height, bool rgb565) {
    auto* dc = new DeviceContext{DeviceContext::Kind::Surface};
    dc->pixels = static_cast<BYTE*>(pixels);
    dc->pitch = pitch;
    dc->width = width;
    dc->height = height;
    dc->rgb565 = rgb565;
    return reinterpret_cast<HDC>(dc);
}

void FreeSurfaceDC(HDC dc) { delete ToDeviceContext(dc); }

DeviceContext* ToDeviceContext(HDC dc) { return reinterpret_cast<DeviceContext*>(dc); }

} // namespace platform

namespace {

// The pixel's address in a surface DC, or null when (x, y) is outside it.
BYTE* SurfacePixel(HDC hdc, int x, int y, bool* rgb565) {
    platform::DeviceContext* dc = platform::ToDeviceContext(hdc);
    if (!dc || dc->kind != platform::DeviceContext::Kind::Surface) return nullptr;
    if (x < 0 || y < 0 || x >= dc->width || y >= dc->height) return nullptr;
    *rgb565 = dc->rgb565;
    return dc->pixels + static_cast<ptrdiff_t>(y) * dc->pitch + 2 * x;
}

} // namespace

COLORREF GetPixel(HDC hdc, int x, int y) {
    bool rgb565 = true;
    BYTE* at = SurfacePixel(hdc, x, y, &rgb565);
    if (!at) return CLR_INVALID;
    WORD p;
    std::memcpy(&p, at, 2);
    return platform::Pixel16ToColorRef(p, rgb565);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    bool rgb565 = true;
    BYTE* at = SurfacePixel(hdc, x, y, &rgb565);
    if (!at) return CLR_INVALID;
    WORD p = platform::ColorRefToPixel16(color, rgb565);
    std::memcpy(at, &p, 2);
    return platform::Pixel16ToColorRef(p, rgb565);
}
