// What the fill must give, worked out channel by channel, for checking the
// fill's loops against.
#pragma once

#include "pixels/pixel_format.h"

namespace blend_ref {

inline void UseLayout(bool rgb565) {
    g_b565 = rgb565 ? 1 : 0;
    SetupPixelMasks();
}

// floor((c*a + d*(31-a)) / 32) for each channel of destination d and colour
// pixel c; in RGB555 bit 15 comes out 0. With skip, a destination of 0 stays 0.
inline WORD Blend(WORD d, WORD c, unsigned a, bool rgb565, bool skip = false) {
    if (skip && d == 0) return 0;
    const unsigned redShift = rgb565 ? 11 : 10, greenMask = rgb565 ? 63 : 31;
    auto mix = [a](unsigned cc, unsigned dd) { return (cc * a + dd * (31 - a)) / 32; };
    const unsigned red = mix((c >> redShift) & 31, (d >> redShift) & 31);
    const unsigned green = mix((c >> 5) & greenMask, (d >> 5) & greenMask);
    const unsigned blue = mix(c & 31, d & 31);
    return static_cast<WORD>((red << redShift) | (green << 5) | blue);
}

} // namespace blend_ref
