// Fake bitmap services: pictures scripted by name as resources or files,
// memory device contexts, and a StretchBlt that paints a known pattern so
// that tests can follow every pixel of the copy.
#include <cstdio>

#include "tests/fake/fake_platform.h"

namespace {

// Laid out like fake::SurfaceDC with a null surface, so that SurfaceOfDC
// answers null for it.
struct MemoryDC {
    fake::Surface* surface = nullptr;
    fake::Bitmap* selected = nullptr;
};

std::string Hex(UINT v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
}

fake::Bitmap* ToBitmap(HANDLE h) { return static_cast<fake::Bitmap*>(h); }

} // namespace

namespace fake {

WORD BitmapPattern(int x, int y) { return static_cast<WORD>(0x1001 + x + 1000 * y); }

} // namespace fake

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    fake::State& st = fake::state();
    const std::string n = name ? name : "";
    fake::Log(std::string("LoadImageA ") + (hInst ? "module " : "null ") + n + " " + std::to_string(type) + " " +
              std::to_string(cx) + " " + std::to_string(cy) + " " + Hex(fuLoad));
    const bool fromFile = (fuLoad & LR_LOADFROMFILE) != 0;
    const auto& where = fromFile ? st.bitmaps.files : st.bitmaps.resources;
    if (type != IMAGE_BITMAP || (!fromFile && !hInst)) return nullptr;
    auto found = where.find(n);
    if (found == where.end()) return nullptr;
    auto bitmap = std::make_unique<fake::Bitmap>();
    bitmap->name = n;
    bitmap->origin = fromFile ? "file" : "resource";
    // A wanted size scales the picture, as the real loader does.
    bitmap->width = cx ? cx : found->second.width;
    bitmap->height = cy ? cy : found->second.height;
    st.bitmaps.made.push_back(std::move(bitmap));
    return st.bitmaps.made.back().get();
}

int GetObjectA(HANDLE h, int c, void* pv) {
    fake::Log("GetObjectA " + std::to_string(c));
    fake::Bitmap* b = ToBitmap(h);
    if (!b || b->deleted || c < static_cast<int>(sizeof(BITMAP)) || !pv) return 0;
    BITMAP bm{};
    bm.bmWidth = b->width;
    bm.bmHeight = b->height;
    bm.bmWidthBytes = 4 * b->width;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    *static_cast<BITMAP*>(pv) = bm;
    return sizeof(BITMAP);
}

BOOL DeleteObject(HGDIOBJ h) {
    fake::Bitmap* b = ToBitmap(h);
    fake::Log("DeleteObject " + (b ? b->name : std::string("null")));
    if (!b || b->deleted) return FALSE;
    b->deleted = true;
    return TRUE;
}

HDC CreateCompatibleDC(HDC) {
    fake::State& st = fake::state();
    fake::Log("CreateCompatibleDC");
    if (st.bitmaps.createDCFails) return nullptr;
    ++st.bitmaps.liveDCs;
    return reinterpret_cast<HDC>(new MemoryDC);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ h) {
    fake::Log("SelectObject");
    auto* memory = reinterpret_cast<MemoryDC*>(dc);
    if (!memory || memory->surface) return nullptr;
    fake::Bitmap* previous = memory->selected;
    memory->selected = ToBitmap(h);
    return previous;
}

BOOL DeleteDC(HDC dc) {
    fake::Log("DeleteDC");
    auto* memory = reinterpret_cast<MemoryDC*>(dc);
    if (!memory || memory->surface) return FALSE;
    --fake::state().bitmaps.liveDCs;
    delete memory;
    return TRUE;
}

BOOL StretchBlt(HDC dst, int xd, int yd, int wd, int hd, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
    fake::Log("StretchBlt " + std::to_string(xd) + "," + std::to_string(yd) + "," + std::to_string(wd) + "," +
              std::to_string(hd) + " <- " + std::to_string(xs) + "," + std::to_string(ys) + "," + std::to_string(ws) +
              "," + std::to_string(hs) + " " + Hex(rop));
    fake::Surface* s = fake::SurfaceOfDC(dst);
    auto* memory = reinterpret_cast<MemoryDC*>(src);
    if (!s || !memory || memory->surface || !memory->selected || wd <= 0 || hd <= 0 || ws <= 0 || hs <= 0)
        return FALSE;
    // Nearest source pixel for every destination pixel inside the surface.
    for (int y = 0; y < hd; ++y) {
        for (int x = 0; x < wd; ++x) {
            const int tx = xd + x, ty = yd + y;
            if (tx < 0 || ty < 0 || tx >= s->width || ty >= s->height) continue;
            s->SetPixelWord(tx, ty, fake::BitmapPattern(xs + static_cast<int>(static_cast<long long>(x) * ws / wd),
                                                          ys + static_cast<int>(static_cast<long long>(y) * hs / hd)));
        }
    }
    return TRUE;
}
