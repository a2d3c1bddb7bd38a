// The fake display object and its memory surfaces.
#include <cstring>

#include "tests/fake/fake_platform.h"

namespace fake {

namespace {

HRESULT Next(std::deque<HRESULT>& script) {
    if (script.empty()) return DD_OK;
    HRESULT r = script.front();
    script.pop_front();
    return r;
}

} // namespace

Surface::Surface(std::string name_, int width_, int height_, int pitchBytes, Layout layout_)
    : name(std::move(name_)), width(width_), height(height_), pitch(pitchBytes), layout(layout_),
      memory(static_cast<size_t>(pitchBytes) * static_cast<size_t>(height_), 0) {}

WORD Surface::Pixel(int x, int y) const {
    WORD w;
    std::memcpy(&w, memory.data() + static_cast<size_t>(y) * pitch + 2 * x, 2);
    return w;
}

void Surface::SetPixelWord(int x, int y, WORD value) {
    std::memcpy(memory.data() + static_cast<size_t>(y) * pitch + 2 * x, &value, 2);
}

HRESULT Surface::QueryInterface(REFIID, void** ppv) {
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG Surface::AddRef() { return ++refs; }

ULONG Surface::Release() {
    Log(name + ".Release");
    if (refs > 0 && --refs == 0) {
        released = true;
        if (attached) attached->released = true; // the chain ends with its primary
    }
    return refs;
}

HRESULT Surface::GetAttachedSurface(DDSCAPS2*, IDirectDrawSurface4** out) {
    Log(name + ".GetAttachedSurface");
    HRESULT r = Next(attachResults);
    if (r != DD_OK) return r;
    if (!attached) return DDERR_NOTFOUND;
    *out = attached;
    return DD_OK;
}

HRESULT Surface::Flip(IDirectDrawSurface4*, DWORD flags) {
    Log(name + ".Flip " + std::to_string(flags));
    return Next(flipResults);
}

HRESULT Surface::Lock(RECT*, DDSURFACEDESC2* desc, DWORD, HANDLE) {
    Log(name + ".Lock");
    HRESULT r = Next(lockResults);
    if (r != DD_OK) return r;
    locked = true;
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = pitch;
    desc->lpSurface = memory.data();
    desc->ddpfPixelFormat.dwRGBBitCount = 16;
    return DD_OK;
}

HRESULT Surface::Unlock(RECT*) {
    Log(name + ".Unlock");
    if (!locked) return DDERR_NOTLOCKED;
    locked = false;
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* out) {
    Log(name + ".GetDC");
    HRESULT r = Next(getDCResults);
    if (r != DD_OK) return r;
    *out = reinterpret_cast<HDC>(new SurfaceDC{this});
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
    Log(name + ".ReleaseDC");
    delete reinterpret_cast<SurfaceDC*>(dc);
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(DDSURFACEDESC2* desc) {
    Log(name + ".GetSurfaceDesc");
    desc->dwWidth = static_cast<DWORD>(width);
    desc->dwHeight = static_cast<DWORD>(height);
    desc->lPitch = pitch;
    desc->ddpfPixelFormat.dwRGBBitCount = 16;
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD flags, DDCOLORKEY* key) {
    Log(name + ".SetColorKey " + std::to_string(flags));
    colorKey = *key;
    hasColorKey = true;
    return DD_OK;
}

HRESULT Surface::Restore() {
    Log(name + ".Restore");
    return Next(restoreResults);
}

Surface* SurfaceOfDC(HDC dc) {
    // Surface DCs are the only device contexts the fake display hands out;
    // other fakes (memory DCs) tag theirs differently.
    return dc ? reinterpret_cast<SurfaceDC*>(dc)->surface : nullptr;
}

HRESULT DirectDraw::QueryInterface(REFIID riid, void** ppv) {
    Log("dd.QueryInterface");
    *ppv = nullptr;
    HRESULT r = Next(queryResults);
    if (r != DD_OK) return r;
    if (!(riid == IID_IDirectDraw4)) return E_NOINTERFACE;
    ++refs;
    *ppv = static_cast<IDirectDraw4*>(this);
    return DD_OK;
}

ULONG DirectDraw::AddRef() { return ++refs; }

ULONG DirectDraw::Release() {
    Log("dd.Release");
    if (refs > 0 && --refs == 0) released = true;
    return refs;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND, DWORD flags) {
    Log("dd.SetCooperativeLevel " + std::to_string(flags));
    return Next(cooperativeResults);
}

HRESULT DirectDraw::SetDisplayMode(DWORD w, DWORD h, DWORD bpp, DWORD refresh, DWORD flags) {
    Log("dd.SetDisplayMode " + std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bpp) + " " +
        std::to_string(refresh) + " " + std::to_string(flags));
    return Next(modeResults);
}

HRESULT DirectDraw::CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface4** out, IUnknown*) {
    State& st = state();
    bool isPrimary = (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0;
    Log(std::string("dd.CreateSurface ") + (isPrimary ? "primary" : "plain"));
    st.lastCreateDesc = *desc;
    HRESULT r = Next(createSurfaceResults);
    if (r != DD_OK) return r;
    if (isPrimary) {
        Surface* primary = MakeSurface("primary", 640, 480, st.primaryPitch, st.displayLayout);
        if (desc->dwBackBufferCount >= 1)
            primary->attached = MakeSurface("back", 640, 480, st.primaryPitch, st.displayLayout);
        st.primary = primary;
        st.back = primary->attached;
        *out = primary;
    } else {
        int w = static_cast<int>(desc->dwWidth), h = static_cast<int>(desc->dwHeight);
        int pitch = (2 * w + 3) & ~3;
        *out = MakeSurface("plain", w, h, pitch, st.displayLayout);
    }
    return DD_OK;
}

Surface* MakeSurface(const std::string& name, int width, int height, int pitchBytes, Layout layout) {
    State& st = state();
    st.surfaces.push_back(std::make_unique<Surface>(name, width, height, pitchBytes, layout));
    if (st.arrangeSurface) st.arrangeSurface(*st.surfaces.back());
    return st.surfaces.back().get();
}

} // namespace fake

HRESULT DirectDrawCreate(GUID*, IDirectDraw** out, IUnknown*) {
    fake::State& st = fake::state();
    fake::Log("DirectDrawCreate");
    if (!st.directDrawCreateResults.empty()) {
        HRESULT r = st.directDrawCreateResults.front();
        st.directDrawCreateResults.pop_front();
        if (r != DD_OK) return r;
    }
    st.displays.push_back(std::make_unique<fake::DirectDraw>());
    if (st.arrangeDisplay) st.arrangeDisplay(*st.displays.back());
    *out = st.displays.back().get();
    return DD_OK;
}
