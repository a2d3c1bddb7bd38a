// Loading a GDI bitmap into a new surface of the display's format, and
// painting a bitmap onto a surface through the surface's device context.
#include "display/background.h"

IDirectDrawSurface4* DDLoadBitmap(IDirectDraw4* dd, const char* name, WORD* width, WORD* height, int wantWidth,
                                  int wantHeight) {
    // The program's own resource comes first, a file of that name second.
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, wantWidth, wantHeight, LR_CREATEDIBSECTION));
    if (!bitmap)
        bitmap = static_cast<HBITMAP>(
            LoadImageA(nullptr, name, IMAGE_BITMAP, wantWidth, wantHeight, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return nullptr;

    BITMAP bm{};
    GetObjectA(bitmap, sizeof(BITMAP), &bm);
    // Sizes travel as 16-bit values; they are set even if no surface follows.
    *width = static_cast<WORD>(bm.bmWidth);
    *height = static_cast<WORD>(bm.bmHeight);

    // No pixel format: the surface takes the display mode's own.
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwHeight = static_cast<DWORD>(bm.bmHeight);
    desc.dwWidth = static_cast<DWORD>(bm.bmWidth);
    desc.ddsCaps.dwCaps = DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface4* surface = nullptr;
    if (!dd || dd->CreateSurface(&desc, &surface, nullptr) != DD_OK) {
        DeleteObject(bitmap);
        return nullptr;
    }

    DDPaintBitmap(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return surface;
}

HRESULT DDPaintBitmap(IDirectDrawSurface4* surface, HBITMAP bitmap, int x, int y, int width, int height) {
    if (!bitmap || !surface) return E_FAIL;

    surface->Restore();

    HDC memoryDC = CreateCompatibleDC(nullptr);
    if (!memoryDC) OutputDebugStringA("createcompatible dc failed\n");
    SelectObject(memoryDC, bitmap);

    BITMAP bm{};
    GetObjectA(bitmap, sizeof(BITMAP), &bm);
    if (width == 0) width = bm.bmWidth;
    if (height == 0) height = bm.bmHeight;

    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(DDSURFACEDESC2);
    desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
    surface->GetSurfaceDesc(&desc);

    // The source part is stretched over the whole surface; the device
    // context converts its colours to the surface's layout.
    HDC surfaceDC = nullptr;
    const HRESULT result = surface->GetDC(&surfaceDC);
    if (result == DD_OK) {
        StretchBlt(surfaceDC, 0, 0, static_cast<int>(desc.dwWidth), static_cast<int>(desc.dwHeight), memoryDC, x, y,
                   width, height, SRCCOPY);
        surface->ReleaseDC(surfaceDC);
    }

    DeleteDC(memoryDC);
    return result;
}
