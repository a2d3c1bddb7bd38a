// Drawing one glyph record into the 640x480 work buffer. A glyph is drawn
// whole or not at all: the cell must lie inside the screen and the record
// inside its font block, so the pixel loop needs no bounds tests.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "pixels/pixel_format.h"
#include "text/font.h"

namespace {

constexpr DWORD GLYPH_SCRATCH_BYTES = 5184; // the record of a 203x203 cell
// Eight bytes of slack after the largest record let the bit reader below load
// a whole 64-bit word at any bit of the record.
BYTE g_byGlyphScratch[GLYPH_SCRATCH_BYTES + 8];

// `count` (1 to 32) bits of the record starting at bit k, the first of them
// in the highest place.
inline uint32_t RecordBits(const BYTE* record, DWORD k, unsigned count) {
    uint64_t word;
    std::memcpy(&word, record + (k >> 3), sizeof word);
    word = __builtin_bswap64(word); // the record's first byte in the top place
    return static_cast<uint32_t>((word << (k & 7)) >> (64 - count));
}

// True when a width x height cell at (x, y) lies whole inside the screen.
// Width and height are unsigned 16-bit, the comparisons signed 32-bit.
bool CellFits(LONG x, LONG y, WORD width, WORD height) {
    return !(y > SCREEN_HEIGHT - static_cast<LONG>(height) || x > SCREEN_WIDTH - static_cast<LONG>(width) || x < 0 ||
             y < 0);
}

// Draws record `record` of `font` with the cell's top-left pixel at (x, y).
// The cell has already been found to fit; here the record is checked against
// the block and the scratch area before anything is read.
int DrawGlyphRecord(LONG record, LONG x, LONG y, WORD pixel, WORD* buffer, const BYTE* font, WORD height,
                    WORD width) {
    if (!font || !buffer || record < 0) return 0;
    const DWORD bits = static_cast<DWORD>(width) * height;
    const DWORD recordBytes = (bits + 7) / 8;
    if (recordBytes > GLYPH_SCRATCH_BYTES) return 0;
    const unsigned long long end = (static_cast<unsigned long long>(record) + 1) * recordBytes;
    if (end > FontBlockLength(font)) return 0;

    if (recordBytes) std::memcpy(g_byGlyphScratch, font + (end - recordBytes), recordBytes);

    // The bits run most significant first, straight on across row ends. Each
    // row is read in runs of up to 32 bits and only its ink bits are visited,
    // so blank stretches cost nothing.
    WORD* row = buffer + static_cast<ptrdiff_t>(y) * SCREEN_WIDTH + x;
    DWORD k = 0;
    for (WORD r = 0; r < height; ++r, row += SCREEN_WIDTH, k += width) {
        for (unsigned c0 = 0; c0 < width; c0 += 32) {
            const unsigned count = width - c0 < 32 ? width - c0 : 32;
            uint32_t ink = RecordBits(g_byGlyphScratch, k + c0, count);
            while (ink) {
                const unsigned place = 31 - static_cast<unsigned>(__builtin_clz(ink));
                row[c0 + count - 1 - place] = pixel;
                ink &= ~(1u << place);
            }
        }
    }
    return 1;
}

} // namespace

int DrawAsciiGlyph(char code, LONG x, LONG y, DWORD color, WORD* buffer, const BYTE* font, WORD height,
                   WORD width) {
    const WORD pixel = ColorToPixel(color);
    if (!CellFits(x, y, width, height)) return 0;
    const LONG record = static_cast<LONG>(static_cast<unsigned char>(code)) - 32;
    if (record < 0 || record >= 128) return 0;
    return DrawGlyphRecord(record, x, y, pixel, buffer, font, height, width);
}

int DrawBig5Glyph(DWORD code, LONG x, LONG y, DWORD color, WORD* buffer, const BYTE* font, WORD size) {
    const WORD pixel = ColorToPixel(color);
    if (!CellFits(x, y, size, size)) return 0;
    // Each lead byte from 0xA1 owns a run of 157 records: trail bytes
    // 0x40-0x7E take places 0-62, 0xA1-0xFE places 63-156.
    const LONG lead = static_cast<LONG>((code >> 8) & 0xFF);
    const LONG trail = static_cast<LONG>(code & 0xFF);
    const LONG record = 157 * (lead - 0xA1) + (trail & 0x80 ? trail - 0x62 : trail - 0x40);
    if (record == 0) return 0; // the full-width space 0xA140 holds its place but is never drawn
    return DrawGlyphRecord(record, x, y, pixel, buffer, font, size, size);
}
