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

WORD ColorRefToPixel16(COLORREF c, bool rgb565) {
    DWORD r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    if (rgb565) return static_cast<WORD>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

COLORREF Pixel16ToColorRef(WORD p, bool rgb565) {
    DWORD r, g, b;
    if (rgb565) {
        r = (p >> 11) & 31;
        g = (p >> 5) & 63;
        b = p & 31;
        g = (g << 2) | (g >> 4);
    } else {
        r = (p >> 10) & 31;
        g = (p >> 5) & 31;
        b = p & 31;
        g = (g << 3) | (g >> 2);
    }
    r = (r << 3) | (r >> 2);
    b = (b << 3) | (b >> 2);
    return r | (g << 8) | (b << 16);
}

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
