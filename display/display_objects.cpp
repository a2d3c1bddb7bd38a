// The display objects, their release and the restore of a lost primary.
#include "display/display.h"

IDirectDraw4* g_pDD = nullptr;
IDirectDrawSurface4* g_pDDSPrimary = nullptr;
IDirectDrawSurface4* g_pDDSBack = nullptr;

void ReleaseDirectDraw() {
    if (!g_pDD) return;
    if (g_pDDSPrimary) {
        g_pDDSPrimary->Release();
        g_pDDSPrimary = nullptr;
    }
    // The back buffer belonged to the primary's chain and ended with it.
    g_pDDSBack = nullptr;
    g_pDD->Release();
    g_pDD = nullptr;
}

HRESULT RestorePrimary() {
    if (!g_pDDSPrimary) return DDERR_GENERIC;
    return g_pDDSPrimary->Restore();
}
