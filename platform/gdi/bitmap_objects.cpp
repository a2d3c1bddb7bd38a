// Bitmap objects: LoadImageA (the program's own resource, or a file in the
// working directory), GetObjectA and DeleteObject. Handles are checked
// against the live bitmaps, so a stale or foreign handle is refused.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/resources.h"

namespace platform {

namespace {

// A bitmap file bigger than the largest picture taken can be is refused
// without being read.
constexpr off_t kMaxFileBytes = 4 * kMaxBitmapPixels + (1 << 20);

std::unordered_set<const void*>& LiveBitmaps() {
    static std::unordered_set<const void*> live;
    return live;
}

std::vector<BYTE> ReadWholeFile(const char* path) {
    std::vector<BYTE> bytes;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return bytes;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxFileBytes) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got <= 0) break;
            done += static_cast<size_t>(got);
        }
        bytes.resize(done);
    }
    close(fd);
    return bytes;
}

// Resource names given as small integers are not carried.
bool IsIntegerName(LPCSTR name) { return reinterpret_cast<uintptr_t>(name) < 0x10000; }

} // namespace

Bitmap* ToBitmap(HGDIOBJ handle) {
    if (!handle || !LiveBitmaps().count(handle)) return nullptr;
    return static_cast<Bitmap*>(handle);
}

} // namespace platform

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (type != IMAGE_BITMAP || platform::IsIntegerName(name) || cx < 0 || cy < 0) return nullptr;

    std::vector<BYTE> file;
    if (fuLoad & LR_LOADFROMFILE) {
        file = platform::ReadWholeFile(name);
    } else {
        if (!hInst) return nullptr; // only the program's own resources are carried
        const platform::EmbeddedResource* r = platform::FindEmbeddedResource(name, RT_BITMAP);
        if (r) file = platform::FileFromResource(r->data, r->size);
    }
    if (file.empty()) return nullptr;

    SDL_Surface* picture = platform::DecodeBitmapFile(file.data(), file.size());
    if (!picture) return nullptr;
    // A wanted width or height scales the picture to it; 0 keeps its own.
    const int width = cx ? cx : picture->w;
    const int height = cy ? cy : picture->h;
    if (width != picture->w || height != picture->h) {
        SDL_Surface* scaled = platform::ScaleSurface(picture, width, height);
        SDL_FreeSurface(picture);
        if (!scaled) return nullptr;
        picture = scaled;
    }

    auto* bitmap = new platform::Bitmap{picture};
    platform::LiveBitmaps().insert(bitmap);
    return bitmap;
}

int GetObjectA(HANDLE h, int c, void* pv) {
    platform::Bitmap* bitmap = platform::ToBitmap(h);
    if (!bitmap) return 0;
    if (!pv) return sizeof(BITMAP);
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = bitmap->pixels->w;
    bm.bmHeight = bitmap->pixels->h;
    bm.bmWidthBytes = bitmap->pixels->pitch;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    bm.bmBits = bitmap->pixels->pixels;
    const int bytes = std::max(0, std::min(c, static_cast<int>(sizeof(BITMAP))));
    std::memcpy(pv, &bm, static_cast<size_t>(bytes));
    return bytes;
}

BOOL DeleteObject(HGDIOBJ ho) {
    platform::Bitmap* bitmap = platform::ToBitmap(ho);
    // A bitmap still selected into a device context stays, as it must.
    if (!bitmap || bitmap->selections > 0) return FALSE;
    platform::LiveBitmaps().erase(bitmap);
    SDL_FreeSurface(bitmap->pixels);
    delete bitmap;
    return TRUE;
}
