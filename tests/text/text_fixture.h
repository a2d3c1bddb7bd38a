// Shared pieces of the text tests: a work buffer with a known background,
// font blocks built from bytes, and records packed from pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"
#include "text/font.h"

namespace texttest {

constexpr WORD BACKGROUND = 0x1234;

// A font block holding exactly `bytes`.
inline BYTE* MakeBlock(const std::vector<BYTE>& bytes) {
    BYTE* block = AllocFontBlock(static_cast<DWORD>(bytes.size()));
    if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

// Packs a picture ('#' ink, anything else transparent; rows top to bottom)
// into a record of a width x height cell: pixel k is bit 7 - k % 8 of byte
// k / 8, rows running on without alignment.
inline std::vector<BYTE> PackRecord(const std::vector<std::string>& rows, int width, int height) {
    std::vector<BYTE> record((width * height + 7) / 8, 0);
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            if (rows[r][c] == '#') {
                const int k = r * width + c;
                record[k / 8] |= static_cast<BYTE>(0x80 >> (k % 8));
            }
    return record;
}

// A fixture with a 640x480 work buffer in RGB565 and no fonts loaded.
class TextTest : public ::testing::Test {
protected:
    // Runs again at the top of each case of a table: fonts of the last case go.
    void SetUp() override {
        ReleaseFonts();
        fake::Reset();
        g_b565 = 1;
        screen.assign(SCREEN_WIDTH * SCREEN_HEIGHT, BACKGROUND);
    }
    void TearDown() override {
        ReleaseFonts();
        for (BYTE* block : blocks) FreeFontBlock(block);
        blocks.clear();
    }
    static void ReleaseFonts() {
        FreeFontBlock(g_pEmFont);
        FreeFontBlock(g_pCmFont);
        g_pEmFont = g_pCmFont = nullptr;
    }
    // A block freed with the fixture.
    BYTE* Block(const std::vector<BYTE>& bytes) {
        blocks.push_back(MakeBlock(bytes));
        return blocks.back();
    }
    WORD* Buffer() { return screen.data(); }
    WORD At(int x, int y) const { return screen[y * SCREEN_WIDTH + x]; }
    bool Untouched() const {
        for (WORD p : screen)
            if (p != BACKGROUND) return false;
        return true;
    }
    // Positions of every pixel that no longer holds the background.
    std::vector<std::pair<int, int>> Changed() const {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i)
            if (screen[i] != BACKGROUND) out.emplace_back(i % SCREEN_WIDTH, i / SCREEN_WIDTH);
        return out;
    }

    std::vector<WORD> screen;
    std::vector<BYTE*> blocks;
};

} // namespace texttest
