// Translucent rectangle fill: clipping and the colour's constant parts; the
// blending itself is done by the row loop chosen at start-up.
#include "pixels/fill.h"

#include "pixels/fill_variants.h"
#include "pixels/pixel_format.h"

FillJob MakeFillJob(BYTE* first, LONG pitch, LONG width, LONG height, DWORD color, bool skip) {
    FillJob job{};
    job.first = first;
    job.pitch = pitch;
    job.width = width;
    job.height = height;
    job.maskA = g_dwPairMaskA;
    job.maskB = g_dwPairMaskB;
    job.pixel = ColorToPixel(color);
    job.alpha = color >> 27;
    job.weight = 31 - job.alpha;
    const DWORD pair = job.pixel * 0x10001u;
    job.colorA = (pair & job.maskA) * job.alpha;
    job.colorB = ((pair & job.maskB) >> 5) * job.alpha;
    job.rgb565 = g_b565 == 1;
    job.skip = skip;
    return job;
}

void FillAlphaRect(WORD* buffer, LONG pitch, LONG width, LONG height, LONG x, LONG y, DWORD color, DWORD skip) {
    if (!buffer) return;
    // Clipped in 64 bits so that extreme arguments cannot overflow.
    long long left = x, top = y, w = width, h = height;
    if (left < 0) {
        w += left;
        left = 0;
    }
    if (top < 0) {
        h += top;
        top = 0;
    }
    if (left + w > SCREEN_WIDTH) w = SCREEN_WIDTH - left;
    if (top + h > SCREEN_HEIGHT) h = SCREEN_HEIGHT - top;
    if (w <= 0 || h <= 0) return;

    BYTE* first = reinterpret_cast<BYTE*>(buffer) + top * pitch + 2 * left;
    RunFill(MakeFillJob(first, pitch, static_cast<LONG>(w), static_cast<LONG>(h), color, (skip & 0xFF) != 0));
}
