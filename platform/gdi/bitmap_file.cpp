// Reading bitmap files. SDL decodes them; its headers are checked here first
// so that a damaged or hostile file is refused before SDL sizes anything
// from it: the picture must be of sane size and its rows must lie inside the
// data.
#include <cstdint>
#include <cstring>

#include "platform/gdi/bitmap.h"

namespace platform {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

uint16_t U16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const BYTE* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
void Put16(BYTE* p, uint32_t v) {
    p[0] = static_cast<BYTE>(v);
    p[1] = static_cast<BYTE>(v >> 8);
}
void Put32(BYTE* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}

bool KnownHeaderSize(uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 ||
           size == 124;
}

// What the info header says, in one form for both header kinds.
struct Header {
    uint32_t headerSize;
    long long width, height; // height negative: top row first
    uint32_t planes, bits, compression, colorsUsed;
};

// Header fields from the bytes that follow the file header; false when the
// info header is not one that is known or does not fit.
bool ReadHeader(const BYTE* info, size_t available, Header* h) {
    if (available < 4) return false;
    h->headerSize = U32(info);
    if (!KnownHeaderSize(h->headerSize) || available < h->headerSize) return false;
    if (h->headerSize == kCoreHeaderSize) {
        h->width = U16(info + 4);
        h->height = U16(info + 6);
        h->planes = U16(info + 8);
        h->bits = U16(info + 10);
        h->compression = kRgb;
        h->colorsUsed = 0;
    } else {
        h->width = static_cast<int32_t>(U32(info + 4));
        h->height = static_cast<int32_t>(U32(info + 8));
        h->planes = U16(info + 12);
        h->bits = U16(info + 14);
        h->compression = U32(info + 16);
        h->colorsUsed = U32(info + 32);
    }
    return true;
}

// Bytes of colour table (and of the three masks that a 40-byte header keeps
// after itself) between the info header and the rows.
long long TableBytes(const Header& h) {
    long long bytes = 0;
    if (h.bits <= 8) {
        const long long colors = h.colorsUsed ? h.colorsUsed : 1LL << h.bits;
        bytes = colors * (h.headerSize == kCoreHeaderSize ? 3 : 4);
    }
    if (h.headerSize == kInfoHeaderSize && h.compression == kBitFields) bytes += 12;
    return bytes;
}

bool Acceptable(const Header& h) {
    const long long rows = h.height < 0 ? -h.height : h.height;
    if (h.width < 1 || h.width > kMaxBitmapSide || rows < 1 || rows > kMaxBitmapSide) return false;
    if (h.width * rows > kMaxBitmapPixels || h.planes != 1) return false;
    switch (h.bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    if (h.bits <= 8 && h.colorsUsed > (1u << h.bits)) return false;
    switch (h.compression) {
    case kRgb: return true;
    case kBitFields: return h.bits == 16 || h.bits == 32;
    case kRle8: return h.bits == 8 && h.height > 0;
    case kRle4: return h.bits == 4 && h.height > 0;
    default: return false;
    }
}

} // namespace

SDL_Surface* DecodeBitmapFile(const BYTE* data, size_t size) {
    if (!data || size < kFileHeaderSize || size > 0x7FFFFFFFu || data[0] != 'B' || data[1] != 'M') return nullptr;
    Header h;
    if (!ReadHeader(data + kFileHeaderSize, size - kFileHeaderSize, &h) || !Acceptable(h)) return nullptr;

    const long long tableEnd = static_cast<long long>(kFileHeaderSize) + h.headerSize + TableBytes(h);
    const long long rowsStart = U32(data + 10);
    if (tableEnd > static_cast<long long>(size) || rowsStart < tableEnd || rowsStart >= static_cast<long long>(size))
        return nullptr;
    if (h.compression == kRgb || h.compression == kBitFields) {
        const long long rowBytes = (h.width * h.bits + 31) / 32 * 4;
        const long long rows = h.height < 0 ? -h.height : h.height;
        if (rowsStart + rowBytes * rows > static_cast<long long>(size)) return nullptr;
    }

    SDL_RWops* in = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!in) return nullptr;
    SDL_Surface* decoded = SDL_LoadBMP_RW(in, 1);
    if (!decoded) return nullptr;
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(decoded);
    return picture;
}

std::vector<BYTE> FileFromResource(const BYTE* dib, size_t size) {
    Header h;
    if (!dib || !ReadHeader(dib, size, &h)) return {};
    if (h.bits > 32) return {}; // keeps the colour count below in range
    const long long rowsStart = static_cast<long long>(kFileHeaderSize) + h.headerSize + TableBytes(h);
    if (size > 0x7FFFFFFFu - kFileHeaderSize || rowsStart > 0x7FFFFFFF) return {};

    std::vector<BYTE> file(kFileHeaderSize + size);
    file[0] = 'B';
    file[1] = 'M';
    Put32(&file[2], static_cast<uint32_t>(file.size()));
    Put16(&file[6], 0);
    Put16(&file[8], 0);
    Put32(&file[10], static_cast<uint32_t>(rowsStart));
    std::memcpy(&file[kFileHeaderSize], dib, size);
    return file;
}

SDL_Surface* ScaleSurface(SDL_Surface* source, int width, int height) {
    if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        static_cast<long long>(width) * height > kMaxBitmapPixels)
        return nullptr;
    SDL_Surface* scaled = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!scaled) return nullptr;
    if (SDL_BlitScaled(source, nullptr, scaled, nullptr) != 0) {
        SDL_FreeSurface(scaled);
        return nullptr;
    }
    return scaled;
}

} // namespace platform
