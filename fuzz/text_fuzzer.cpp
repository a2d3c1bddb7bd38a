// Font blocks of any length (or none) and any text through DrawString and
// DrawLabelNumber, at any position and cell size. The blocks are exactly as
// long as their bytes, so a glyph read from outside one is caught by the
// address checks; the work buffer sits between guard bands, and every pixel
// that changes must take the ink colour.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pixels/pixel_format.h"
#include "text/font.h"
#include "text/text.h"

namespace {

constexpr size_t kGuardWords = 4096;
constexpr WORD kGuard = 0x5AA5;
constexpr WORD kBackground = 0x0421;

// A block of the next bytes of the input, or null (a missing file).
BYTE* TakeFont(FuzzedDataProvider& in, size_t maxLength) {
    if (in.ConsumeBool()) return nullptr;
    const std::vector<BYTE> bytes = in.ConsumeBytes<BYTE>(in.ConsumeIntegralInRange<size_t>(0, maxLength));
    BYTE* block = AllocFontBlock(static_cast<DWORD>(bytes.size()));
    if (!block) std::abort();
    if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

// Mostly near the screen, sometimes anywhere.
LONG TakePosition(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange<int32_t>(-30, 670);
}

WORD TakeCellSide(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegral<uint16_t>() : in.ConsumeIntegralInRange<uint16_t>(0, 24);
}

void Check(const std::vector<WORD>& screen, WORD ink) {
    for (size_t i = 0; i < kGuardWords; ++i)
        if (screen[i] != kGuard || screen[screen.size() - 1 - i] != kGuard) std::abort();
    for (size_t i = kGuardWords; i < screen.size() - kGuardWords; ++i)
        if (screen[i] != kBackground && screen[i] != ink) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    g_b565 = in.ConsumeBool() ? 1 : 0;
    SetupPixelMasks();
    g_pEmFont = TakeFont(in, 1400);  // 128 records of 6x12 fill 1152 bytes
    g_pCmFont = TakeFont(in, 4096);  // 227 records of 12x12
    const LONG value = in.ConsumeIntegral<int32_t>();
    const LONG x = TakePosition(in), y = TakePosition(in);
    const WORD height = TakeCellSide(in), width = TakeCellSide(in);
    const DWORD color = in.ConsumeIntegral<uint32_t>();
    std::vector<char> text = in.ConsumeRemainingBytes<char>();
    text.push_back(0);

    static std::vector<WORD> screen(SCREEN_WIDTH * SCREEN_HEIGHT + 2 * kGuardWords);
    std::fill(screen.begin(), screen.end(), kBackground);
    std::fill_n(screen.begin(), kGuardWords, kGuard);
    std::fill_n(screen.end() - kGuardWords, kGuardWords, kGuard);
    WORD* buffer = screen.data() + kGuardWords;
    const WORD ink = ColorToPixel(color);

    if (DrawString(text.data(), x, y, color, buffer, height, width) > 1) std::abort();
    Check(screen, ink);
    if (DrawLabelNumber(text.data(), value, x, y, color, buffer) > 1) std::abort();
    Check(screen, ink);

    FreeFontBlock(g_pEmFont);
    FreeFontBlock(g_pCmFont);
    g_pEmFont = g_pCmFont = nullptr;
    return 0;
}
