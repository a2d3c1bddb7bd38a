// Loaded pictures: what an HBITMAP of the layer points at, and the reading of
// bitmap files into them.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <vector>

#include "platform/win32_api.h"

namespace platform {

// The largest picture taken, per side and in pixels: anything bigger is
// treated as damaged rather than allocated.
constexpr int kMaxBitmapSide = 16384;
constexpr long long kMaxBitmapPixels = 16LL * 1024 * 1024;

struct Bitmap {
    SDL_Surface* pixels; // XRGB8888, top row first
    int selections = 0;  // memory DCs holding it
};

// The bytes of a bitmap file (file header, info header, colours, rows)
// decoded into an XRGB8888 surface, or null when the file is damaged,
// truncated, too large or of a kind that is not taken.
SDL_Surface* DecodeBitmapFile(const BYTE* data, size_t size);

// A bitmap resource (info header, colours, rows) with the file header in
// front that a bitmap file of the same picture has; empty when the header is
// too short to tell where the rows start.
std::vector<BYTE> FileFromResource(const BYTE* dib, size_t size);

// A copy scaled to width x height (nearest pixel), or null.
SDL_Surface* ScaleSurface(SDL_Surface* source, int width, int height);

// The live bitmap behind a handle, or null for anything else.
Bitmap* ToBitmap(HGDIOBJ handle);

} // namespace platform
