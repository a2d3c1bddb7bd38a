// Fake device-context pixel access on fake surfaces, converting colours to and
// from the surface's layout as the real layer does.
#include "tests/fake/fake_platform.h"

COLORREF GetPixel(HDC dc, int x, int y) {
    fake::Surface* s = fake::SurfaceOfDC(dc);
    fake::Log("GetPixel " + std::to_string(x) + "," + std::to_string(y));
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return CLR_INVALID;
    return fake::PixelToColorRef(s->Pixel(x, y), s->layout);
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    fake::Surface* s = fake::SurfaceOfDC(dc);
    fake::Log("SetPixel " + std::to_string(x) + "," + std::to_string(y));
    if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return CLR_INVALID;
    s->SetPixelWord(x, y, fake::ColorRefToPixel(color, s->layout));
    return fake::PixelToColorRef(s->Pixel(x, y), s->layout);
}
