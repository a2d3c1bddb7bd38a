// A colour's value in a surface's own pixel format, found by writing it into
// the top-left pixel through GDI and reading the raw bits back; and the
// surface's source colour key set from it.
#include <cstring>

#include "display/background.h"
#include "pixels/surface_lock.h"

namespace {

// The colour that CLR_INVALID stands for is taken from this pixel, the
// bottom-right one of a full screen.
constexpr int kProbeX = 639;
constexpr int kProbeY = 479;

} // namespace

DWORD DDMatchColor(IDirectDrawSurface4* surface, COLORREF color) {
    DWORD value = 0xFFFFFFFFu;
    if (!surface) return value;
    COLORREF saved = 0;

    HDC dc = nullptr;
    if (surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, color == CLR_INVALID ? GetPixel(dc, kProbeX, kProbeY) : color);
        surface->ReleaseDC(dc);
    }

    DDSURFACEDESC2 desc;
    if (LockWholeSurface(surface, &desc) == DD_OK) {
        const DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        // Only the pixel's own bytes are read: a one-pixel surface may end
        // before a whole 32-bit word.
        DWORD word = 0;
        const size_t bytes = bits >= 32 ? 4 : (bits + 7) / 8;
        std::memcpy(&word, desc.lpSurface, bytes);
        value = bits < 32 ? word & ((DWORD{1} << bits) - 1) : word;
        surface->Unlock(nullptr);
    }

    // The top-left pixel goes back to what it was.
    if (surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return value;
}

HRESULT DDApplyColorKey(IDirectDrawSurface4* surface, COLORREF color) {
    DDCOLORKEY key;
    key.dwColorSpaceLowValue = key.dwColorSpaceHighValue = DDMatchColor(surface, color);
    if (!surface) return E_FAIL;
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}
