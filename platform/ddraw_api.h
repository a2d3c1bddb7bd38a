// The full-screen display interfaces that the program calls, declared by us:
// a display object (IDirectDraw4) and surfaces (IDirectDrawSurface4) in the
// COM style, reference-counted, every method answering an HRESULT.
#pragma once

#include "platform/win32_api.h"

// ---- Result codes -----------------------------------------------------------

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_NODIRECTDRAWHW = static_cast<HRESULT>(0x88760233u);
constexpr HRESULT DDERR_INVALIDMODE = static_cast<HRESULT>(0x88760078u);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = static_cast<HRESULT>(0x887601E1u);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0x887600FFu);
constexpr HRESULT DDERR_NOTFLIPPABLE = static_cast<HRESULT>(0x8876014Au);
constexpr HRESULT DDERR_NOTLOCKED = static_cast<HRESULT>(0x88760248u);
constexpr HRESULT DDERR_SURFACEBUSY = static_cast<HRESULT>(0x887601AEu);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
constexpr HRESULT DDERR_WRONGMODE = static_cast<HRESULT>(0x8876024Bu);
constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021Cu);
constexpr HRESULT DDERR_CANTCREATEDC = static_cast<HRESULT>(0x8876024Cu);
constexpr HRESULT DDERR_NODC = static_cast<HRESULT>(0x8876024Eu);

// ---- Flags ------------------------------------------------------------------

constexpr DWORD DDSCL_FULLSCREEN = 0x00000001u;
constexpr DWORD DDSCL_EXCLUSIVE = 0x00000010u;
constexpr DWORD DDSCL_NORMAL = 0x00000008u;

constexpr DWORD DDSD_CAPS = 0x00000001u;
constexpr DWORD DDSD_HEIGHT = 0x00000002u;
constexpr DWORD DDSD_WIDTH = 0x00000004u;
constexpr DWORD DDSD_PITCH = 0x00000008u;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x00000020u;
constexpr DWORD DDSD_LPSURFACE = 0x00000800u;
constexpr DWORD DDSD_PIXELFORMAT = 0x00001000u;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x00000004u;
constexpr DWORD DDSCAPS_COMPLEX = 0x00000008u;
constexpr DWORD DDSCAPS_FLIP = 0x00000010u;
constexpr DWORD DDSCAPS_FRONTBUFFER = 0x00000020u;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x00000040u;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x00000200u;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x00000800u;

constexpr DWORD DDPF_RGB = 0x00000040u;

constexpr DWORD DDFLIP_WAIT = 0x00000001u;
constexpr DWORD DDLOCK_WAIT = 0x00000001u;
constexpr DWORD DDCKEY_SRCBLT = 0x00000008u;

// ---- Records ----------------------------------------------------------------

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

// Surface description. Callers set dwSize to sizeof(DDSURFACEDESC2) before
// every call that takes one.
struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwMipMapCount;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    void* lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef const GUID& REFIID;

inline bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

// {9C59509A-39BD-11D1-8C4A-00C04FD930C5}
constexpr GUID IID_IDirectDraw4 = {0x9C59509A, 0x39BD, 0x11D1, {0x8C, 0x4A, 0x00, 0xC0, 0x4F, 0xD9, 0x30, 0xC5}};

// ---- Interfaces -------------------------------------------------------------

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default; // objects are given up through Release only
};

struct IDirectDrawSurface4 : IUnknown {
    virtual HRESULT GetAttachedSurface(DDSCAPS2* lpDDSCaps, IDirectDrawSurface4** lplpDDAttachedSurface) = 0;
    virtual HRESULT Flip(IDirectDrawSurface4* lpDDSurfaceTargetOverride, DWORD dwFlags) = 0;
    virtual HRESULT Lock(RECT* lpDestRect, DDSURFACEDESC2* lpDDSurfaceDesc, DWORD dwFlags, HANDLE hEvent) = 0;
    virtual HRESULT Unlock(RECT* lpRect) = 0;
    virtual HRESULT GetDC(HDC* lphDC) = 0;
    virtual HRESULT ReleaseDC(HDC hDC) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* lpDDSurfaceDesc) = 0;
    virtual HRESULT SetColorKey(DWORD dwFlags, DDCOLORKEY* lpDDColorKey) = 0;
    virtual HRESULT Restore() = 0;

protected:
    ~IDirectDrawSurface4() = default;
};

// The interface that DirectDrawCreate hands out; the program asks it for
// IDirectDraw4 through QueryInterface.
struct IDirectDraw : IUnknown {
protected:
    ~IDirectDraw() = default;
};

struct IDirectDraw4 : IUnknown {
    virtual HRESULT SetCooperativeLevel(HWND hWnd, DWORD dwFlags) = 0;
    virtual HRESULT SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP, DWORD dwRefreshRate, DWORD dwFlags) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* lpDDSurfaceDesc, IDirectDrawSurface4** lplpDDSurface,
                                  IUnknown* pUnkOuter) = 0;

protected:
    ~IDirectDraw4() = default;
};

// lpGUID null: the default display. pUnkOuter must be null.
HRESULT DirectDrawCreate(GUID* lpGUID, IDirectDraw** lplpDD, IUnknown* pUnkOuter);
