// The display object: takes a window over the whole screen and makes the
// surfaces that are shown in it.
#include <algorithm>

#include "platform/sdl/display_objects.h"
#include "platform/sdl/video.h"
#include "platform/sdl/window_table.h"

namespace {

bool IsRgbMasks(const DDPIXELFORMAT& f, bool* rgb565) {
    if (!(f.dwFlags & DDPF_RGB) || f.dwRGBBitCount != 16 || f.dwBBitMask != 0x001F) return false;
    if (f.dwRBitMask == 0xF800 && f.dwGBitMask == 0x07E0) *rgb565 = true;
    else if (f.dwRBitMask == 0x7C00 && f.dwGBitMask == 0x03E0) *rgb565 = false;
    else return false;
    return true;
}

} // namespace

namespace platform {

DisplayObject::~DisplayObject() {
    // Surfaces that outlive the display object keep their memory only.
    for (Surface* surface : surfaces_) surface->Orphan();
    LeaveWindow();
}

HRESULT DisplayObject::QueryInterface(REFIID riid, void** ppvObject) {
    if (!ppvObject) return DDERR_INVALIDPARAMS;
    if (riid == IID_IDirectDraw4) {
        AddRef();
        *ppvObject = static_cast<IDirectDraw4*>(this);
        return S_OK;
    }
    *ppvObject = nullptr;
    return E_NOINTERFACE;
}

ULONG DisplayObject::AddRef() { return ++refs_; }

ULONG DisplayObject::Release() {
    const ULONG left = refs_ > 0 ? --refs_ : 0;
    if (left == 0) delete this;
    return left;
}

void DisplayObject::OnWindowGone(void* self) {
    auto* display = static_cast<DisplayObject*>(self);
    // The renderer must go before the SDL window it draws into.
    display->presenter_.reset();
    display->window_ = nullptr;
    display->hwnd_ = nullptr;
}

void DisplayObject::LeaveWindow() {
    presenter_.reset();
    if (Window* window = OwnWindow(hwnd_)) {
        if (window->onDestroyContext == this) {
            window->onDestroy = nullptr;
            window->onDestroyContext = nullptr;
        }
    }
    window_ = nullptr;
    hwnd_ = nullptr;
}

HRESULT DisplayObject::SetCooperativeLevel(HWND hWnd, DWORD dwFlags) {
    const bool exclusive = (dwFlags & DDSCL_EXCLUSIVE) != 0;
    if (exclusive != ((dwFlags & DDSCL_FULLSCREEN) != 0)) return DDERR_INVALIDPARAMS;
    Window* window = OwnWindow(hWnd);
    if (!window || !window->sdl) return DDERR_INVALIDPARAMS;
    if (window->onDestroy && window->onDestroyContext != this) return DDERR_INVALIDPARAMS; // taken already
    LeaveWindow();
    hwnd_ = hWnd;
    window_ = window->sdl;
    window->onDestroy = &DisplayObject::OnWindowGone;
    window->onDestroyContext = this;
    cooperativeFlags_ = dwFlags;
    rgb565_ = ScreenStoresRgb565(window_);
    presenter_ = std::make_unique<Presenter>(window_);
    return DD_OK;
}

HRESULT DisplayObject::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD, DWORD) {
    if (!window_ || !(cooperativeFlags_ & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;
    if (dwBPP != 16 || dwWidth == 0 || dwHeight == 0 || dwWidth > 8192 || dwHeight > 8192) return DDERR_INVALIDMODE;
    modeWidth_ = static_cast<int>(dwWidth);
    modeHeight_ = static_cast<int>(dwHeight);
    // The monitor keeps its mode: the window covers the whole screen and the
    // frame is scaled into it. The explicit size is for X servers without a
    // window manager, where the full-screen request alone changes nothing.
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &bounds) == 0) {
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
    }
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    SDL_RaiseWindow(window_);
    rgb565_ = ScreenStoresRgb565(window_);
    return DD_OK;
}

HRESULT DisplayObject::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface4** out, IUnknown* pUnkOuter) {
    if (!desc || !out || pUnkOuter || desc->dwSize != sizeof(DDSURFACEDESC2)) return DDERR_INVALIDPARAMS;
    *out = nullptr;
    const DWORD caps = (desc->dwFlags & DDSD_CAPS) ? desc->ddsCaps.dwCaps : 0;
    if (caps & DDSCAPS_PRIMARYSURFACE) {
        if (!window_) return DDERR_NOEXCLUSIVEMODE;
        int width = modeWidth_, height = modeHeight_;
        if (width == 0) SDL_GetWindowSize(window_, &width, &height);
        const bool flipping = (caps & DDSCAPS_FLIP) != 0;
        if (flipping) {
            // One back buffer is what a flipping chain here can have.
            if (!(caps & DDSCAPS_COMPLEX) || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) || desc->dwBackBufferCount != 1)
                return DDERR_INVALIDPARAMS;
            if (!(cooperativeFlags_ & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;
        }
        auto* primary = new Surface(this, width, height, rgb565_, caps | (flipping ? DDSCAPS_FRONTBUFFER : 0));
        surfaces_.push_back(primary);
        if (flipping) {
            auto* back = new Surface(this, width, height, rgb565_, DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
            surfaces_.push_back(back);
            primary->AttachBackBuffer(back);
        }
        *out = primary;
        return DD_OK;
    }
    // Plain surfaces: memory of any size, in the screen's layout unless the
    // caller names the other 16-bit one.
    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth == 0 || desc->dwHeight == 0 || desc->dwWidth > 16384 || desc->dwHeight > 16384)
        return DDERR_INVALIDPARAMS;
    bool rgb565 = rgb565_;
    if ((desc->dwFlags & DDSD_PIXELFORMAT) && !IsRgbMasks(desc->ddpfPixelFormat, &rgb565)) return DDERR_INVALIDPARAMS;
    auto* surface = new Surface(this, static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), rgb565,
                                (caps & ~DDSCAPS_PRIMARYSURFACE) | DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    surfaces_.push_back(surface);
    *out = surface;
    return DD_OK;
}

bool DisplayObject::WindowShowing() const {
    if (!window_) return false;
    return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

bool DisplayObject::Present(const void* pixels, int pitch, int width, int height, bool rgb565) {
    return presenter_ && presenter_->Present(pixels, pitch, width, height, rgb565);
}

void DisplayObject::Forget(Surface* surface) {
    surfaces_.erase(std::remove(surfaces_.begin(), surfaces_.end(), surface), surfaces_.end());
}

} // namespace platform

HRESULT DirectDrawCreate(GUID* lpGUID, IDirectDraw** lplpDD, IUnknown* pUnkOuter) {
    if (!lplpDD || pUnkOuter || lpGUID) {
        // Only the default display exists.
        if (lplpDD) *lplpDD = nullptr;
        return DDERR_INVALIDPARAMS;
    }
    *lplpDD = nullptr;
    // SDL falls back to its off-screen drivers when there is no screen; a
    // display there would show nothing to anybody.
    if (!platform::EnsureVideo() || !platform::HasRealDisplay()) return DDERR_NODIRECTDRAWHW;
    *lplpDD = static_cast<IDirectDraw*>(new platform::DisplayObject);
    return DD_OK;
}
