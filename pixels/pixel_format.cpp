// Pixel layouts, packed colours and the fill's channel masks.
#include "pixels/pixel_format.h"

#include "pixels/fill_variants.h"

WORD g_b565 = 0;
DWORD g_dwPairMaskA = 0;
DWORD g_dwPairMaskB = 0;
WORD* g_pWork = nullptr;

void SetupPixelMasks() {
    if (g_b565 == 1) {
        g_dwPairMaskA = 0x07E0F81Fu;
        g_dwPairMaskB = 0xF81F07E0u;
    } else {
        g_dwPairMaskA = 0x03E07C1Fu;
        g_dwPairMaskB = 0x7C1F03E0u;
    }
    // The processor does not change while the program runs: the fill's row
    // loop is chosen here, once, with the masks it will read.
    SelectFillVariant(BestFillVariant());
}

WORD ColorToPixel(DWORD color) {
    DWORD r = (color >> 16) & 0xFF, g = (color >> 8) & 0xFF, b = color & 0xFF;
    if (g_b565 == 1) return static_cast<WORD>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}
