#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/text/numbered_font.h"
#include "tests/text/text_fixture.h"
#include "text/font.h"
#include "text/text.h"

namespace texttest {
namespace {

// One glyph expected in the buffer: from the Big5 font or the single-byte one.
struct Glyph {
    bool big5;
    DWORD code;
    LONG x;
};

class StringTest : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        g_pEmFont = MakeBlock(NumberedFont(EM_RECORDS, EM_RECORD_BYTES));
        g_pCmFont = MakeBlock(NumberedFont(CM_RECORDS, CM_RECORD_BYTES));
    }
    // The buffer that drawing exactly `glyphs` on row y gives.
    std::vector<WORD> Expected(const std::vector<Glyph>& glyphs, LONG y) {
        std::vector<WORD> saved = screen;
        screen.assign(screen.size(), BACKGROUND);
        for (const Glyph& g : glyphs) {
            const int ok = g.big5 ? DrawBig5Glyph(g.code, g.x, y, 0xFFFFFF, Buffer(), g_pCmFont, 12)
                                  : DrawAsciiGlyph(static_cast<char>(g.code), g.x, y, 0xFFFFFF, Buffer(), g_pEmFont,
                                                   12, 6);
            EXPECT_EQ(ok, 1) << "expected glyph " << std::hex << g.code << " cannot be drawn";
        }
        std::swap(saved, screen);
        return saved;
    }
};

TEST_F(StringTest, BoundedStrLenCountsUpToTheFirstZeroWithin512Bytes) {
    std::string longest(511, 'a');
    std::vector<char> unterminated(600, 'a');
    EXPECT_EQ(BoundedStrLen(nullptr), 0);
    EXPECT_EQ(BoundedStrLen(""), 0);
    EXPECT_EQ(BoundedStrLen("FPS:"), 4);
    EXPECT_EQ(BoundedStrLen(longest.c_str()), 511);
    EXPECT_EQ(BoundedStrLen(unterminated.data()), 0);
    unterminated[512] = 0;
    EXPECT_EQ(BoundedStrLen(unterminated.data()), 0);
    unterminated[511] = 0;
    EXPECT_EQ(BoundedStrLen(unterminated.data()), 511);
}

TEST_F(StringTest, TextsPlaceSingleAndDoubleByteGlyphsAlongThePen) {
    const struct {
        const char* name;
        std::string text;
        LONG x;
        LONG result;
        std::vector<Glyph> glyphs;
    } cases[] = {
        {"empty", "", 10, 1, {}},
        {"spaces only", "    ", 10, 1, {}},
        {"space between", "A B", 10, 1, {{false, 'A', 10}, {false, 'B', 24}}},
        {"two-byte glyph moves the pen by 13", "\xA4\x40" "A", 10, 1, {{true, 0xA440, 10}, {false, 'A', 23}}},
        {"lead byte before a single-byte character", "\xA4" "A", 10, 1, {{true, 0xA441, 10}}},
        {"final lead byte takes the terminator", "A\xA2", 10, 1, {{false, 'A', 10}, {true, 0xA200, 17}}},
        {"full-width space is refused", "A\xA1\x40" "B", 10, 0, {{false, 'A', 10}}},
        {"control byte is a lead byte outside the font", "A\x01" "BC", 10, 0, {{false, 'A', 10}}},
        {"byte 0x7F is a single-byte character", "\x7F", 10, 1, {{false, 0x7F, 10}}},
        {"stops at the first cell past the edge", "ABC", 621, 0, {{false, 'A', 621}, {false, 'B', 628}}},
        {"spaces pass the edge without stopping", "A  ", 628, 1, {{false, 'A', 628}}},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DrawString(c.text.c_str(), c.x, 100, 0xFFFFFF, Buffer(), 12, 6), c.result) << c.name;
        EXPECT_TRUE(screen == Expected(c.glyphs, 100)) << c.name;
    }
}

TEST_F(StringTest, TextsWithoutATerminatorInTheirFirst512BytesDrawNothing) {
    std::vector<char> unterminated(600, 'A');
    unterminated.back() = 0;
    EXPECT_EQ(DrawString(nullptr, 0, 0, 0xFFFFFF, Buffer(), 12, 6), 1);
    EXPECT_EQ(DrawString(unterminated.data(), 0, 0, 0xFFFFFF, Buffer(), 12, 6), 1);
    EXPECT_TRUE(Untouched());
}

TEST_F(StringTest, MissingFontsRefuseTheirGlyphs) {
    FreeFontBlock(g_pCmFont);
    g_pCmFont = nullptr;
    EXPECT_EQ(DrawString("A\xA4\x40" "B", 0, 0, 0xFFFFFF, Buffer(), 12, 6), 0);
    EXPECT_TRUE(screen == Expected({{false, 'A', 0}}, 0));
    FreeFontBlock(g_pEmFont);
    g_pEmFont = nullptr;
    const std::vector<WORD> before = screen;
    EXPECT_EQ(DrawNumber(42, 100, 0, 0xFFFFFF, Buffer()), 0);
    EXPECT_TRUE(screen == before);
}

TEST_F(StringTest, NumbersDrawAtMostTenCharactersSevenPixelsApart) {
    const struct {
        LONG value;
        LONG x;
        LONG result;
        std::string shown; // characters drawn, '.' for a refused one
    } cases[] = {
        {0, 50, 0, "0"},
        {-5, 50, 0, "-5"},
        {60, 50, 0, "60"},
        {1234567890, 50, 1, "1234567890"},
        {2147483647, 50, 1, "2147483647"},
        {-2147483647 - 1, 50, 1, "-214748364"},
        {-100000000, 50, 1, "-100000000"},
        {12345, -10, 0, "..345"},
        {987, 622, 0, "98."},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DrawNumber(c.value, c.x, 200, 0xFFFFFF, Buffer()), c.result) << c.value;
        std::vector<Glyph> glyphs;
        for (size_t i = 0; i < c.shown.size(); ++i)
            if (c.shown[i] != '.') glyphs.push_back({false, static_cast<DWORD>(c.shown[i]), c.x + 7 * LONG(i)});
        EXPECT_TRUE(screen == Expected(glyphs, 200)) << c.value;
    }
}

TEST_F(StringTest, LabelNumbersStartSevenPixelsPerLabelByteAfterTheLabel) {
    const struct {
        const char* name;
        const char* label;
        LONG value;
        LONG result;
        std::vector<Glyph> glyphs;
    } cases[] = {
        {"no label", nullptr, 7, 0, {{false, '7', 30}}},
        {"empty label", "", -1, 0, {{false, '-', 30}, {false, '1', 37}}},
        {"two-byte label leaves a two-pixel gap", "\xA4\x40", 3, 0, {{true, 0xA440, 30}, {false, '3', 44}}},
        {"refused label still gets its number", "\xA1\x40", 3, 0, {{false, '3', 44}}},
        {"ten digits", "=", 1000000000, 1,
         {{false, '=', 30}, {false, '1', 37}, {false, '0', 44}, {false, '0', 51}, {false, '0', 58},
          {false, '0', 65}, {false, '0', 72}, {false, '0', 79}, {false, '0', 86}, {false, '0', 93},
          {false, '0', 100}}},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DrawLabelNumber(c.label, c.value, 30, 5, 0xFFFFFF, Buffer()), c.result) << c.name;
        EXPECT_TRUE(screen == Expected(c.glyphs, 5)) << c.name;
    }
}

// The read-out as the frame draws it, from a small hand-made font, checked
// against the pictures themselves rather than against the glyph routine.
TEST_F(TextTest, TheFpsReadOutLandsPixelForPixel) {
    const std::vector<std::pair<char, std::vector<std::string>>> art = {
        {'F', {"######", "#.....", "#.....", "#.....", "#####.", "#.....", "#.....", "#.....", "#.....", "#.....",
               "......", "......"}},
        {'P', {"#####.", "#....#", "#....#", "#....#", "#####.", "#.....", "#.....", "#.....", "#.....", "#.....",
               "......", "......"}},
        {'S', {".####.", "#....#", "#.....", "#.....", ".####.", ".....#", ".....#", ".....#", "#....#", ".####.",
               "......", "......"}},
        {':', {"......", "......", "..##..", "..##..", "......", "......", "......", "..##..", "..##..", "......",
               "......", "......"}},
        {'6', {"..###.", ".#....", "#.....", "#.....", "#####.", "#....#", "#....#", "#....#", "#....#", ".####.",
               "......", "......"}},
        {'0', {".####.", "#....#", "#...##", "#..#.#", "#..#.#", "#.#..#", "#.#..#", "##...#", "#....#", ".####.",
               "......", "......"}},
    };
    // Every record that the read-out does not use is all ink, so a wrong
    // record number shows.
    std::vector<BYTE> font(EM_RECORDS * EM_RECORD_BYTES, 0xFF);
    for (const auto& [code, picture] : art) {
        const std::vector<BYTE> record = PackRecord(picture, 6, 12);
        std::copy(record.begin(), record.end(), font.begin() + (code - 32) * EM_RECORD_BYTES);
    }
    const int columns[] = {1, 8, 15, 22, 29, 36};

    for (WORD b565 : {1, 0}) {
        SetUp();
        g_b565 = b565;
        g_pEmFont = MakeBlock(font);
        const WORD white = b565 ? 0xFFFF : 0x7FFF;
        std::vector<WORD> expected(screen.size(), BACKGROUND);
        for (size_t g = 0; g < art.size(); ++g)
            for (int r = 0; r < 12; ++r)
                for (int c = 0; c < 6; ++c)
                    if (art[g].second[r][c] == '#') expected[(25 + r) * SCREEN_WIDTH + columns[g] + c] = white;

        EXPECT_EQ(DrawLabelNumber("FPS:", 60, 1, 25, 0x00FFFFFF, Buffer()), 0);
        EXPECT_TRUE(screen == expected) << "layout " << b565;
        EXPECT_EQ(screen[16001], white); // the top-left pixel of the F cell
    }
}

} // namespace
} // namespace texttest
