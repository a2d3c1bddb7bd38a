// Locking a whole surface the way every routine of the program does it: flags
// 0 (no waiting inside the lock), repeated at once while the surface answers
// that it is busy.
#pragma once

#include "platform/ddraw_api.h"

// DD_OK with desc filled in, or the first result that is not "busy".
inline HRESULT LockWholeSurface(IDirectDrawSurface4* surface, DDSURFACEDESC2* desc) {
    *desc = DDSURFACEDESC2{};
    desc->dwSize = sizeof(DDSURFACEDESC2);
    HRESULT hr;
    do {
        hr = surface->Lock(nullptr, desc, 0, nullptr);
    } while (hr == DDERR_WASSTILLDRAWING);
    return hr;
}
