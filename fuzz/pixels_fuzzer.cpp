// FillAlphaRect and BlitRect with any rectangle inside their contract.
//
// Fill: any position, size, colour and skip value on a buffer of 480 rows at
// any even pitch from 1280 bytes, in both layouts, through every row loop the
// processor runs. Every pixel must come out as the per-channel rule says
// inside the clipped rectangle and unchanged everywhere else, including the
// spare bytes at the end of each row and the guard bands around the buffer.
//
// Copy: a source rectangle inside a source buffer, placed inside a
// destination buffer, both of any size and pitch: exactly the rectangle's
// pixels change, to the source's.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pixels/blit.h"
#include "pixels/fill.h"
#include "pixels/fill_variants.h"
#include "pixels/pixel_format.h"

namespace {

constexpr size_t kGuardBytes = 256;

// Bytes of a buffer with guard bands: the fuzzer picks the seed, a cheap
// mix spreads it, and every eighth pixel is 0 for the skip mode. The
// buffers are kept between runs: large heap blocks cost more than the fill.
void MakeBuffer(std::vector<BYTE>& buffer, size_t bytes, uint32_t seed) {
    buffer.resize(bytes + 2 * kGuardBytes);
    uint32_t h = seed | 1;
    for (size_t i = 0; i < buffer.size(); i += 2) {
        h ^= h << 13;
        h ^= h >> 17;
        h ^= h << 5;
        const WORD p = (i / 2) % 8 == 3 ? 0 : static_cast<WORD>(h);
        std::memcpy(&buffer[i], &p, std::min<size_t>(2, buffer.size() - i));
    }
}

std::vector<BYTE> g_before, g_expected, g_buffer, g_source, g_sourceCopy;

void Channels(WORD p, bool rgb565, unsigned* r, unsigned* g, unsigned* b) {
    *r = rgb565 ? p >> 11 : (p >> 10) & 31;
    *g = rgb565 ? (p >> 5) & 63 : (p >> 5) & 31;
    *b = p & 31;
}

// The fill's rule on one pixel: each channel floor((c*a + d*(31-a)) / 32).
WORD Blend(WORD d, WORD c, unsigned a, bool rgb565, bool skip) {
    if (skip && d == 0) return 0;
    unsigned dr, dg, db, cr, cg, cb;
    Channels(d, rgb565, &dr, &dg, &db);
    Channels(c, rgb565, &cr, &cg, &cb);
    const unsigned r = (cr * a + dr * (31 - a)) / 32, g = (cg * a + dg * (31 - a)) / 32,
                   b = (cb * a + db * (31 - a)) / 32;
    return static_cast<WORD>(rgb565 ? r << 11 | g << 5 | b : r << 10 | g << 5 | b);
}

WORD PixelAt(const std::vector<BYTE>& buffer, size_t offset) {
    WORD p;
    std::memcpy(&p, &buffer[kGuardBytes + offset], 2);
    return p;
}

void FuzzFill(FuzzedDataProvider& in) {
    const bool rgb565 = in.ConsumeBool();
    g_b565 = rgb565 ? 1 : 0;
    SetupPixelMasks();
    const LONG pitch = in.ConsumeBool() ? WORK_PITCH : WORK_PITCH + 2 * in.ConsumeIntegralInRange<LONG>(1, 300);
    const auto any = [&in](LONG near, LONG spread) {
        return in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange<LONG>(near - spread, near + spread);
    };
    const LONG x = any(0, 700), y = any(0, 520), width = any(0, 700), height = any(0, 520);
    const DWORD color = in.ConsumeIntegral<uint32_t>();
    const DWORD skip = in.ConsumeIntegral<uint32_t>();
    const uint32_t seed = in.ConsumeIntegral<uint32_t>();

    // The clipped rectangle, worked out in 64 bits.
    const long long left = std::max<long long>(x, 0), top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + width, SCREEN_WIDTH);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + height, SCREEN_HEIGHT);
    const WORD ink = ColorToPixel(color);
    const unsigned alpha = color >> 27;

    const size_t bytes = static_cast<size_t>(pitch) * SCREEN_HEIGHT;
    std::vector<BYTE>& before = g_before;
    std::vector<BYTE>& expected = g_expected;
    MakeBuffer(before, bytes, seed);
    expected = before;
    for (long long row = top; row < bottom; ++row)
        for (long long col = left; col < right; ++col) {
            const size_t at = static_cast<size_t>(row * pitch + 2 * col);
            const WORD p = Blend(PixelAt(before, at), ink, alpha, rgb565, (skip & 0xFF) != 0);
            std::memcpy(&expected[kGuardBytes + at], &p, 2);
        }

    for (FillVariant variant : ALL_FILL_VARIANTS) {
        if (!SelectFillVariant(variant)) continue;
        std::vector<BYTE>& buffer = g_buffer;
        buffer = before;
        FillAlphaRect(reinterpret_cast<WORD*>(buffer.data() + kGuardBytes), pitch, width, height, x, y, color, skip);
        if (buffer != expected) std::abort();
    }
}

void FuzzCopy(FuzzedDataProvider& in) {
    const LONG srcWidth = in.ConsumeIntegralInRange<LONG>(1, 700), srcHeight = in.ConsumeIntegralInRange<LONG>(1, 40);
    const LONG srcPitch = 2 * srcWidth + 2 * in.ConsumeIntegralInRange<LONG>(0, 40);
    const LONG dstWidth = in.ConsumeIntegralInRange<LONG>(1, 700), dstHeight = in.ConsumeIntegralInRange<LONG>(1, 40);
    const LONG dstPitch = 2 * dstWidth + 2 * in.ConsumeIntegralInRange<LONG>(0, 40);
    RECT rect;
    rect.left = in.ConsumeIntegralInRange<LONG>(0, srcWidth);
    rect.right = in.ConsumeIntegralInRange<LONG>(rect.left, srcWidth);
    rect.top = in.ConsumeIntegralInRange<LONG>(0, srcHeight);
    rect.bottom = in.ConsumeIntegralInRange<LONG>(rect.top, srcHeight);
    const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width > dstWidth || height > dstHeight) return; // would not fit: outside the contract
    const LONG dstX = in.ConsumeIntegralInRange<LONG>(0, dstWidth - width);
    const LONG dstY = in.ConsumeIntegralInRange<LONG>(0, dstHeight - height);
    const uint32_t seed = in.ConsumeIntegral<uint32_t>();

    std::vector<BYTE>&source = g_source, &sourceCopy = g_sourceCopy, &before = g_before, &expected = g_expected;
    MakeBuffer(source, static_cast<size_t>(srcPitch) * srcHeight, seed);
    sourceCopy = source;
    MakeBuffer(before, static_cast<size_t>(dstPitch) * dstHeight, ~seed);
    expected = before;
    for (LONG row = 0; row < height; ++row)
        std::memcpy(&expected[kGuardBytes + static_cast<size_t>(dstY + row) * dstPitch + 2 * dstX],
                    &source[kGuardBytes + static_cast<size_t>(rect.top + row) * srcPitch + 2 * rect.left],
                    2 * static_cast<size_t>(width));

    std::vector<BYTE>& destination = g_buffer;
    destination = before;
    BlitRect(reinterpret_cast<WORD*>(destination.data() + kGuardBytes), dstPitch, dstX, dstY,
             reinterpret_cast<const WORD*>(sourceCopy.data() + kGuardBytes), &rect, srcPitch);
    if (destination != expected || sourceCopy != source) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        FuzzFill(in);
    else
        FuzzCopy(in);
    return 0;
}
