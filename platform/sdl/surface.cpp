// Surfaces: 16-bit memory with locks, device contexts, a colour key, and for
// the primary its back buffer, the flip and the lost state.
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/gdi/device_context.h"
#include "platform/sdl/display_objects.h"

namespace {

constexpr size_t kAlignment = 64; // whole cache lines for the row copies

void FillPixelFormat(DDPIXELFORMAT* format, bool rgb565) {
    *format = DDPIXELFORMAT{};
    format->dwSize = sizeof(DDPIXELFORMAT);
    format->dwFlags = DDPF_RGB;
    format->dwRGBBitCount = 16;
    format->dwRBitMask = rgb565 ? 0xF800 : 0x7C00;
    format->dwGBitMask = rgb565 ? 0x07E0 : 0x03E0;
    format->dwBBitMask = 0x001F;
}

} // namespace

namespace platform {

Surface::Surface(DisplayObject* owner, int width, int height, bool rgb565, DWORD caps)
    : owner_(owner), width_(width), height_(height), pitch_(((width * 2) + 3) & ~3), rgb565_(rgb565), caps_(caps) {
    size_t bytes = static_cast<size_t>(pitch_) * static_cast<size_t>(height_);
    bytes = (bytes + kAlignment - 1) / kAlignment * kAlignment;
    pixels_ = static_cast<BYTE*>(std::aligned_alloc(kAlignment, bytes));
    if (pixels_) std::memset(pixels_, 0, bytes);
}

Surface::~Surface() {
    if (dc_) FreeSurfaceDC(dc_);
    if (owner_) owner_->Forget(this);
    std::free(pixels_);
}

void Surface::AttachBackBuffer(Surface* back) {
    back_ = back;
    back->front_ = this;
    back->refs_ = 0; // held by the chain, not by any caller yet
}

HRESULT Surface::QueryInterface(REFIID, void** ppvObject) {
    if (ppvObject) *ppvObject = nullptr;
    return E_NOINTERFACE;
}

ULONG Surface::AddRef() { return ++refs_; }

ULONG Surface::Release() {
    if (refs_ > 0) --refs_;
    const ULONG left = refs_;
    // A back buffer lives as long as its primary, whatever its own count
    // says; the primary takes it along when its last reference goes.
    if (left == 0 && !front_) {
        delete back_;
        delete this;
    }
    return left;
}

HRESULT Surface::GetAttachedSurface(DDSCAPS2* lpDDSCaps, IDirectDrawSurface4** lplpDDAttachedSurface) {
    if (!lpDDSCaps || !lplpDDAttachedSurface) return DDERR_INVALIDPARAMS;
    if (!back_ || !(lpDDSCaps->dwCaps & DDSCAPS_BACKBUFFER)) return DDERR_NOTFOUND;
    back_->AddRef();
    *lplpDDAttachedSurface = back_;
    return DD_OK;
}

bool Surface::Lost() {
    Surface* head = Head();
    if (!IsOnScreen()) return false; // plain memory is never taken away
    if (!owner_ || !owner_->WindowShowing()) head->lost_ = true;
    return head->lost_;
}

HRESULT Surface::Flip(IDirectDrawSurface4* lpDDSurfaceTargetOverride, DWORD) {
    if (!back_) return DDERR_NOTFLIPPABLE;
    if (lpDDSurfaceTargetOverride && lpDDSurfaceTargetOverride != back_) return DDERR_INVALIDPARAMS;
    if (Lost()) return DDERR_SURFACELOST;
    if (Busy() || back_->Busy()) return DDERR_SURFACEBUSY;
    // The presenter returns once the frame is on its way (after the vertical
    // sync where the path has one): the wait that DDFLIP_WAIT asks for.
    if (!owner_->Present(back_->pixels_, back_->pitch_, back_->width_, back_->height_, back_->rgb565_))
        return DDERR_GENERIC;
    std::swap(pixels_, back_->pixels_);
    return DD_OK;
}

void Surface::Describe(DDSURFACEDESC2* desc) const {
    const DWORD size = desc->dwSize;
    *desc = DDSURFACEDESC2{};
    desc->dwSize = size;
    desc->dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    if (back_) {
        desc->dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc->dwBackBufferCount = 1;
    }
    FillPixelFormat(&desc->ddpfPixelFormat, rgb565_);
    desc->ddsCaps.dwCaps = caps_;
    if (hasColorKey_) desc->ddckCKSrcBlt = colorKey_;
}

HRESULT Surface::Lock(RECT* lpDestRect, DDSURFACEDESC2* lpDDSurfaceDesc, DWORD, HANDLE) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) return DDERR_INVALIDPARAMS;
    if (!pixels_) return DDERR_OUTOFMEMORY;
    if (Lost()) return DDERR_SURFACELOST;
    LONG x = 0, y = 0;
    if (lpDestRect) {
        const RECT& r = *lpDestRect;
        if (r.left < 0 || r.top < 0 || r.right > width_ || r.bottom > height_ || r.left > r.right || r.top > r.bottom)
            return DDERR_INVALIDPARAMS;
        x = r.left;
        y = r.top;
    }
    Describe(lpDDSurfaceDesc);
    lpDDSurfaceDesc->dwFlags |= DDSD_LPSURFACE;
    lpDDSurfaceDesc->lpSurface = pixels_ + static_cast<ptrdiff_t>(y) * pitch_ + 2 * x;
    ++lockCount_;
    return DD_OK;
}

HRESULT Surface::Unlock(RECT*) {
    if (lockCount_ == 0) return DDERR_NOTLOCKED;
    --lockCount_;
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* lphDC) {
    if (!lphDC) return DDERR_INVALIDPARAMS;
    if (!pixels_) return DDERR_CANTCREATEDC;
    if (Lost()) return DDERR_SURFACELOST;
    if (dc_) return DDERR_SURFACEBUSY; // one device context at a time
    dc_ = MakeSurfaceDC(pixels_, pitch_, width_, height_, rgb565_);
    *lphDC = dc_;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC hDC) {
    if (!dc_ || hDC != dc_) return DDERR_NODC;
    FreeSurfaceDC(dc_);
    dc_ = nullptr;
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* lpDDSurfaceDesc) {
    if (!lpDDSurfaceDesc || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2)) return DDERR_INVALIDPARAMS;
    Describe(lpDDSurfaceDesc);
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD dwFlags, DDCOLORKEY* lpDDColorKey) {
    // Only the source key is kept; no blit of this layer reads it, but the
    // surface reports it back.
    if (!(dwFlags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    hasColorKey_ = lpDDColorKey != nullptr;
    colorKey_ = lpDDColorKey ? *lpDDColorKey : DDCOLORKEY{};
    return DD_OK;
}

HRESULT Surface::Restore() {
    if (!IsOnScreen()) return DD_OK;
    // The memory comes back only once the window is on the screen again;
    // restoring the primary restores its back buffer with it.
    if (!owner_) return DDERR_NOEXCLUSIVEMODE;
    if (!owner_->WindowShowing()) return DDERR_WRONGMODE;
    Head()->lost_ = false;
    return DD_OK;
}

} // namespace platform
