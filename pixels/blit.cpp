// Rectangle copy and presentation. Both move whole rows: the bytes of a row's
// pixel pairs (and of an odd last pixel) are one block, so each row is one
// block copy, and a copy whose rows lie back to back on both sides is a single
// block copy.
#include "pixels/blit.h"

#include <cstring>

#include "pixels/surface_lock.h"

namespace {

// Copies height rows of rowBytes bytes; source and destination rows start
// srcPitch and dstPitch bytes apart.
void CopyRows(BYTE* dst, LONG dstPitch, const BYTE* src, LONG srcPitch, LONG rowBytes, LONG height) {
    if (rowBytes <= 0 || height <= 0) return;
    if (dstPitch == rowBytes && srcPitch == rowBytes) {
        std::memcpy(dst, src, static_cast<size_t>(rowBytes) * static_cast<size_t>(height));
        return;
    }
    for (LONG row = 0; row < height; ++row) {
        std::memcpy(dst, src, static_cast<size_t>(rowBytes));
        dst += dstPitch;
        src += srcPitch;
    }
}

} // namespace

void BlitRect(WORD* dst, LONG dstPitch, LONG dstX, LONG dstY, const WORD* src, const RECT* srcRect, LONG srcPitch) {
    if (!src || !dst || !srcRect) return;
    const LONG width = srcRect->right - srcRect->left;
    const LONG height = srcRect->bottom - srcRect->top;
    const BYTE* s = reinterpret_cast<const BYTE*>(src) + static_cast<ptrdiff_t>(srcRect->top) * srcPitch +
                    2 * static_cast<ptrdiff_t>(srcRect->left);
    BYTE* d = reinterpret_cast<BYTE*>(dst) + static_cast<ptrdiff_t>(dstY) * dstPitch + 2 * static_cast<ptrdiff_t>(dstX);
    CopyRows(d, dstPitch, s, srcPitch, 2 * width, height);
}

void PresentBuffer(IDirectDrawSurface4* surface, const WORD* pixels, LONG width, LONG height) {
    if (!surface || !pixels) return;
    DDSURFACEDESC2 desc;
    if (LockWholeSurface(surface, &desc) != DD_OK) return;
    CopyRows(static_cast<BYTE*>(desc.lpSurface), desc.lPitch, reinterpret_cast<const BYTE*>(pixels), 2 * width,
             2 * width, height);
    surface->Unlock(nullptr);
}
