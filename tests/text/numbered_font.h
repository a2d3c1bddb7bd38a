// Fonts whose every record shows its own number, so a test can read back
// from the buffer which record a glyph routine drew.
#pragma once

#include <vector>

#include "tests/text/text_fixture.h"

namespace texttest {

// `count` records of `recordBytes` each: bytes 0 and 1 hold the record
// number (low byte first), byte 2 is all ink as a marker, the rest is empty.
inline std::vector<BYTE> NumberedFont(int count, int recordBytes) {
    std::vector<BYTE> bytes(static_cast<size_t>(count) * recordBytes, 0);
    for (int r = 0; r < count; ++r) {
        bytes[r * recordBytes + 0] = static_cast<BYTE>(r & 0xFF);
        bytes[r * recordBytes + 1] = static_cast<BYTE>(r >> 8);
        bytes[r * recordBytes + 2] = 0xFF;
    }
    return bytes;
}

// The record number read back from a cell `width` pixels wide at (x, y), or
// -1 when the marker is not there (nothing was drawn).
inline int RecordDrawnAt(const std::vector<WORD>& screen, int x, int y, int width) {
    int value = 0;
    for (int k = 0; k < 24; ++k) {
        const int px = x + k % width, py = y + k / width;
        if (px >= SCREEN_WIDTH || py >= SCREEN_HEIGHT) return -1;
        const bool ink = screen[py * SCREEN_WIDTH + px] != BACKGROUND;
        if (k < 16 && ink) value |= 1 << (k < 8 ? 7 - k : 23 - k); // byte 0 low, byte 1 high
        if (k >= 16 && !ink) return -1;
    }
    return value;
}

constexpr int EM_RECORDS = 128, EM_RECORD_BYTES = 9;
constexpr int CM_RECORDS = 89 * 157, CM_RECORD_BYTES = 18;

} // namespace texttest
