// Taking the display over at start-up, letting it go, and restoring a lost
// primary surface.
#pragma once

#include "platform/ddraw_api.h"

extern IDirectDraw4* g_pDD;
extern IDirectDrawSurface4* g_pDDSPrimary;
extern IDirectDrawSurface4* g_pDDSBack;

// The one-time start-up, in its fixed order. Returns 0.
int AppInit();
// 1 when the surface stores RGB565, else 0.
WORD DetectPixelFormat(IDirectDrawSurface4* surface);
// Releases the primary surface and the display object; safe to repeat.
void ReleaseDirectDraw();
// Restore on the primary surface; its result unchanged.
HRESULT RestorePrimary();
