// COLORREF <-> 16-bit pixel, as device contexts convert colours: channels
// truncated on the way in, widened by bit replication on the way out (so
// white reads back as white). Header-only, so that the tests' fake layer
// converts exactly as the real one does.
#pragma once

#include "platform/win32_api.h"

namespace platform {

inline WORD ColorRefToPixel16(COLORREF c, bool rgb565) {
    const DWORD r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    if (rgb565) return static_cast<WORD>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

inline COLORREF Pixel16ToColorRef(WORD p, bool rgb565) {
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
