// The display object and its surfaces. Surface memory is plain 16-bit memory
// in the screen's layout; a flip hands the back buffer to the presenter and
// exchanges the two buffers' memory.
#pragma once

#include <memory>
#include <vector>

#include "platform/ddraw_api.h"
#include "platform/sdl/presenter.h"

namespace platform {

class DisplayObject;

class Surface final : public IDirectDrawSurface4 {
public:
    Surface(DisplayObject* owner, int width, int height, bool rgb565, DWORD caps);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Makes `back` this surface's attached back buffer; the chain owns it.
    void AttachBackBuffer(Surface* back);
    // The display object is gone: the surface keeps its memory but can no
    // longer be shown.
    void Orphan() { owner_ = nullptr; }

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetAttachedSurface(DDSCAPS2* lpDDSCaps, IDirectDrawSurface4** lplpDDAttachedSurface) override;
    HRESULT Flip(IDirectDrawSurface4* lpDDSurfaceTargetOverride, DWORD dwFlags) override;
    HRESULT Lock(RECT* lpDestRect, DDSURFACEDESC2* lpDDSurfaceDesc, DWORD dwFlags, HANDLE hEvent) override;
    HRESULT Unlock(RECT* lpRect) override;
    HRESULT GetDC(HDC* lphDC) override;
    HRESULT ReleaseDC(HDC hDC) override;
    HRESULT GetSurfaceDesc(DDSURFACEDESC2* lpDDSurfaceDesc) override;
    HRESULT SetColorKey(DWORD dwFlags, DDCOLORKEY* lpDDColorKey) override;
    HRESULT Restore() override;

private:
    Surface* Head() { return front_ ? front_ : this; }
    bool IsOnScreen() { return (Head()->caps_ & DDSCAPS_PRIMARYSURFACE) != 0; }
    // A surface shown on the screen is lost while its window is minimised or
    // hidden, and stays lost until restored.
    bool Lost();
    void Describe(DDSURFACEDESC2* desc) const;
    bool Busy() const { return lockCount_ > 0 || dc_ != nullptr; }

    DisplayObject* owner_;
    ULONG refs_ = 1;
    int width_, height_;
    LONG pitch_;
    bool rgb565_;
    DWORD caps_;
    BYTE* pixels_ = nullptr;
    Surface* back_ = nullptr;  // the primary's back buffer
    Surface* front_ = nullptr; // the back buffer's primary
    bool lost_ = false;        // kept on the chain's primary
    int lockCount_ = 0;
    HDC dc_ = nullptr;
    DDCOLORKEY colorKey_{};
    bool hasColorKey_ = false;
};

class DisplayObject final : public IDirectDraw, public IDirectDraw4 {
public:
    DisplayObject() = default;
    ~DisplayObject();
    DisplayObject(const DisplayObject&) = delete;
    DisplayObject& operator=(const DisplayObject&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags) override;
    HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate, DWORD dwFlags) override;
    HRESULT CreateSurface(DDSURFACEDESC2* lpDDSurfaceDesc, IDirectDrawSurface4** lplpDDSurface,
                          IUnknown* pUnkOuter) override;

    // For the surfaces.
    bool WindowShowing() const;
    bool Present(const void* pixels, int pitch, int width, int height, bool rgb565);
    void Forget(Surface* surface);
    // How the last flip reached the screen.
    Presenter::Path PresentPath() const { return presenter_ ? presenter_->path() : Presenter::Path::None; }

private:
    static void OnWindowGone(void* self);
    void LeaveWindow();

    ULONG refs_ = 1;
    HWND hwnd_ = nullptr;
    SDL_Window* window_ = nullptr;
    DWORD cooperativeFlags_ = 0;
    int modeWidth_ = 0;
    int modeHeight_ = 0;
    bool rgb565_ = true;
    std::unique_ptr<Presenter> presenter_;
    std::vector<Surface*> surfaces_;
};

} // namespace platform
