// Any bytes as a bitmap through the layer: LoadImageA reads them as the file
// "BACK" would be read (or as an embedded resource, given the file header a
// bitmap file has), and the picture is painted with StretchBlt into 16-bit
// surface memory of both layouts, whole or in part, scaled or not. Nothing
// may be written outside the surface's rows.
//
// Input: 8 bytes of options, then the file (or resource) bytes.
//   [0] bit 0: the bytes are a resource; bit 1: LoadImageA scales to [1], [2];
//       bit 2: paint the part [3]..[6] (x, y signed; width, height);
//       bit 3: paint into a surface of [1] x [2] instead of the picture's size
//   [7] spare bytes at the end of each surface row (0..14, even)
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"

namespace {

constexpr size_t kOptions = 8;
constexpr BYTE kGuard = 0xA5;
constexpr size_t kGuardBytes = 64;

// The picture goes through a file in memory, so that LoadImageA's own file
// reading is part of the run.
const std::string& PicturePath(int* fd) {
    static int file = memfd_create("BACK", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    if (file < 0) std::abort();
    *fd = file;
    return path;
}

void WriteFile(int fd, const BYTE* data, size_t size) {
    if (ftruncate(fd, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) std::abort();
        done += static_cast<size_t>(n);
    }
}

// Paints the bitmap into a width x height surface whose rows carry `extra`
// spare bytes, with guard bytes before and after; aborts when anything but
// the rows' pixels changed.
void PaintChecked(HBITMAP bitmap, int width, int height, int extra, bool rgb565, const RECT& part) {
    const LONG pitch = 2 * width + extra;
    const size_t surfaceBytes = static_cast<size_t>(pitch) * height;
    std::vector<BYTE> memory(surfaceBytes + 2 * kGuardBytes, kGuard);
    BYTE* pixels = memory.data() + kGuardBytes;

    HDC surface = platform::MakeSurfaceDC(pixels, pitch, width, height, rgb565);
    HDC source = CreateCompatibleDC(nullptr);
    SelectObject(source, bitmap);
    StretchBlt(surface, 0, 0, width, height, source, part.left, part.top, part.right - part.left,
               part.bottom - part.top, SRCCOPY);
    DeleteDC(source);
    platform::FreeSurfaceDC(surface);

    for (size_t i = 0; i < kGuardBytes; ++i)
        if (memory[i] != kGuard || memory[kGuardBytes + surfaceBytes + i] != kGuard) std::abort();
    for (int row = 0; row < height; ++row)
        for (LONG b = 2 * width; b < pitch; ++b)
            if (pixels[static_cast<size_t>(row) * pitch + b] != kGuard) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kOptions) return 0;
    const uint8_t flags = data[0];
    const BYTE* bytes = data + kOptions;
    const size_t length = size - kOptions;

    std::vector<BYTE> file;
    if (flags & 1) {
        file = platform::FileFromResource(bytes, length);
    } else {
        file.assign(bytes, bytes + length);
    }
    int fd;
    const std::string& path = PicturePath(&fd);
    WriteFile(fd, file.data(), file.size());

    const int wantedWidth = flags & 2 ? 1 + data[1] % 64 : 0;
    const int wantedHeight = flags & 2 ? 1 + data[2] % 64 : 0;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, wantedWidth, wantedHeight, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return 0;

    BITMAP bm{};
    if (GetObjectA(bitmap, sizeof(BITMAP), &bm) != static_cast<int>(sizeof(BITMAP)) || bm.bmWidth < 1 ||
        bm.bmHeight < 1)
        std::abort();
    if (wantedWidth && (bm.bmWidth != wantedWidth || bm.bmHeight != wantedHeight)) std::abort();

    RECT part{0, 0, bm.bmWidth, bm.bmHeight};
    if (flags & 4) {
        part.left = static_cast<int8_t>(data[3]);
        part.top = static_cast<int8_t>(data[4]);
        part.right = part.left + data[5];
        part.bottom = part.top + data[6];
    }
    // The capture paints into a surface of the picture's own size; kept to
    // a screen's size here so that large pictures do not slow the run.
    int width = std::min<int>(bm.bmWidth, 640), height = std::min<int>(bm.bmHeight, 480);
    if (flags & 8) {
        width = 1 + data[1] % 97;
        height = 1 + data[2] % 61;
    }
    const int extra = 2 * (data[7] % 8);
    PaintChecked(bitmap, width, height, extra, true, part);
    PaintChecked(bitmap, width, height, extra, false, part);

    if (!DeleteObject(bitmap)) std::abort();
    return 0;
}
