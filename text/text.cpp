// Lines of text, decimal numbers and the label-plus-number read-out, built on
// the two glyph routines. Nothing here allocates: the routines run nine times
// a frame.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "text/font.h"
#include "text/text.h"

namespace {

constexpr size_t TEXT_SCAN_LIMIT = 512;

// Pen positions are kept in 64 bits so that no start position overflows;
// anything past the screen is refused by the glyph routines all the same.
LONG PenToLong(int64_t pen) {
    if (pen > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
    return static_cast<LONG>(pen);
}

} // namespace

LONG BoundedStrLen(const char* text) {
    if (!text) return 0;
    const void* zero = std::memchr(text, 0, TEXT_SCAN_LIMIT);
    return zero ? static_cast<LONG>(static_cast<const char*>(zero) - text) : 0;
}

LONG DrawString(const char* text, LONG x, LONG y, DWORD color, WORD* buffer, WORD height, WORD width) {
    const LONG n = BoundedStrLen(text);
    int64_t pen = x;
    LONG i = 0;
    while (i < n) {
        // Classed by a signed comparison: 0x20-0x7F are single-byte
        // characters; 0x01-0x1F and every byte from 0x80 up begin a
        // two-byte code.
        const signed char b = static_cast<signed char>(text[i]);
        if (b >= 0x20) {
            if (b != 0x20 && !DrawAsciiGlyph(b, PenToLong(pen), y, color, buffer, g_pEmFont, height, width))
                return 0;
            pen += width + 1;
            i += 1;
        } else {
            // A lead byte at the end takes the terminator as its trail byte.
            const DWORD code = static_cast<DWORD>(static_cast<unsigned char>(b)) << 8 |
                               static_cast<unsigned char>(text[i + 1]);
            if (!DrawBig5Glyph(code, PenToLong(pen), y, color, buffer, g_pCmFont, height)) return 0;
            pen += height + 1;
            i += 2;
        }
    }
    return 1;
}

LONG DrawNumber(LONG value, LONG x, LONG y, DWORD color, WORD* buffer) {
    char digits[12] = {}; // "-2147483648" and its terminator
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
    // At most ten characters are drawn; a refused glyph does not stop the rest.
    for (int i = 0; i < 10; ++i) {
        const char c = digits[i];
        if (c < 0x20) return 0;
        DrawAsciiGlyph(c, PenToLong(static_cast<int64_t>(x) + 7 * i), y, color, buffer, g_pEmFont, 12, 6);
    }
    return 1;
}

LONG DrawLabelNumber(const char* label, LONG value, LONG x, LONG y, DWORD color, WORD* buffer) {
    DrawString(label, x, y, color, buffer, 12, 6);
    // The number moves 7 pixels per label byte, whatever glyphs the bytes made.
    return DrawNumber(value, PenToLong(static_cast<int64_t>(x) + 7 * static_cast<int64_t>(BoundedStrLen(label))), y,
                      color, buffer);
}
