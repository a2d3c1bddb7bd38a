// Pixel moves without conversion: rectangle copy between memory buffers and
// presentation of a finished image into a display surface.
#pragma once

#include "platform/ddraw_api.h"

// Copies srcRect of src to (dstX, dstY) of dst. Pitches in bytes. No clipping.
void BlitRect(WORD* dst, LONG dstPitch, LONG dstX, LONG dstY, const WORD* src, const RECT* srcRect, LONG srcPitch);

// Locks the whole surface (retrying at once while it is busy) and copies the
// tightly packed image into it row by row at the surface's pitch.
void PresentBuffer(IDirectDrawSurface4* surface, const WORD* pixels, LONG width, LONG height);
