// Memory device contexts that hold a bitmap, and StretchBlt from one of them
// into a surface's device context: SDL scales the source part (nearest
// pixel) and converts it to the surface's 16-bit layout, truncating each
// 8-bit channel to its 5 or 6 bits.
#include <unordered_set>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"

namespace {

std::unordered_set<const void*>& LiveMemoryDCs() {
    static std::unordered_set<const void*> live;
    return live;
}

platform::DeviceContext* ToMemoryDC(HDC hdc) {
    if (!hdc || !LiveMemoryDCs().count(hdc)) return nullptr;
    return platform::ToDeviceContext(hdc);
}

// The surface DC's memory seen as an SDL surface (no copy), or null.
SDL_Surface* WrapSurfaceDC(const platform::DeviceContext& dc) {
    if (dc.kind != platform::DeviceContext::Kind::Surface || !dc.pixels || dc.width < 1 || dc.height < 1)
        return nullptr;
    return SDL_CreateRGBSurfaceWithFormatFrom(dc.pixels, dc.width, dc.height, 16, dc.pitch,
                                              dc.rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555);
}

} // namespace

HDC CreateCompatibleDC(HDC) {
    auto* dc = new platform::DeviceContext{platform::DeviceContext::Kind::Memory};
    LiveMemoryDCs().insert(dc);
    return reinterpret_cast<HDC>(dc);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    platform::DeviceContext* dc = ToMemoryDC(hdc);
    platform::Bitmap* bitmap = platform::ToBitmap(h);
    if (!dc || !bitmap) return nullptr;
    platform::Bitmap* previous = dc->selected;
    if (previous) --previous->selections;
    ++bitmap->selections;
    dc->selected = bitmap;
    return previous;
}

BOOL DeleteDC(HDC hdc) {
    platform::DeviceContext* dc = ToMemoryDC(hdc);
    if (!dc) return FALSE;
    if (dc->selected) --dc->selected->selections;
    LiveMemoryDCs().erase(dc);
    delete dc;
    return TRUE;
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop) {
    platform::DeviceContext* source = ToMemoryDC(hdcSrc);
    platform::DeviceContext* target = platform::ToDeviceContext(hdcDest);
    // Only plain copies; mirrored (negative) sizes are not supported.
    if (rop != SRCCOPY || !source || !source->selected || !target || wDest < 1 || hDest < 1 || wSrc < 1 ||
        hSrc < 1)
        return FALSE;
    if (static_cast<long long>(wDest) * hDest > platform::kMaxBitmapPixels) return FALSE;

    SDL_Surface* surface = WrapSurfaceDC(*target);
    if (!surface) return FALSE;
    SDL_Surface* picture = source->selected->pixels;
    SDL_Rect from{xSrc, ySrc, wSrc, hSrc};
    SDL_Rect to{xDest, yDest, wDest, hDest};
    int failed;
    if (wSrc == wDest && hSrc == hDest) {
        failed = SDL_BlitSurface(picture, &from, surface, &to);
    } else {
        // Scaled in the picture's own format first, so that the conversion
        // to 16 bits is the same plain truncation as an unscaled copy.
        SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, wDest, hDest, 32, SDL_PIXELFORMAT_XRGB8888);
        failed = !scaled || SDL_BlitScaled(picture, &from, scaled, nullptr) != 0 ||
                 SDL_BlitSurface(scaled, nullptr, surface, &to) != 0;
        SDL_FreeSurface(scaled);
    }
    SDL_FreeSurface(surface);
    return failed ? FALSE : TRUE;
}
