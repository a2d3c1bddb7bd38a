#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/text/numbered_font.h"
#include "tests/text/text_fixture.h"
#include "text/font.h"

namespace texttest {
namespace {

using GlyphTest = TextTest;

// A record with the single bit k set.
std::vector<BYTE> SingleBit(int k, int recordBytes) {
    std::vector<BYTE> record(recordBytes, 0);
    record[k / 8] = static_cast<BYTE>(0x80 >> (k % 8));
    return record;
}

TEST_F(GlyphTest, EachBitOfASixByTwelveRecordLandsOnItsOwnPixel) {
    for (int k = 0; k < 72; ++k) {
        SetUp();
        // Code 33 is record 1: the space's record before it stays empty.
        std::vector<BYTE> font(9, 0);
        const std::vector<BYTE> record = SingleBit(k, 9);
        font.insert(font.end(), record.begin(), record.end());
        ASSERT_EQ(DrawAsciiGlyph(33, 100, 200, 0xFFFFFF, Buffer(), Block(font), 12, 6), 1);
        EXPECT_EQ(Changed(), (std::vector<std::pair<int, int>>{{100 + k % 6, 200 + k / 6}})) << "bit " << k;
    }
}

TEST_F(GlyphTest, EachBitOfATwelveByTwelveRecordLandsOnItsOwnPixel) {
    for (int k = 0; k < 144; ++k) {
        SetUp();
        std::vector<BYTE> font(18, 0); // record 0, never drawn
        const std::vector<BYTE> record = SingleBit(k, 18);
        font.insert(font.end(), record.begin(), record.end());
        ASSERT_EQ(DrawBig5Glyph(0xA141, 300, 40, 0xFFFFFF, Buffer(), Block(font), 12), 1);
        EXPECT_EQ(Changed(), (std::vector<std::pair<int, int>>{{300 + k % 12, 40 + k / 12}})) << "bit " << k;
    }
}

TEST_F(GlyphTest, InkTakesTheColourInTheCurrentLayoutAndTheRestIsLeftAlone) {
    struct Case {
        WORD b565;
        DWORD color;
        WORD pixel;
    };
    const Case cases[] = {
        {1, 0x00FFFFFF, 0xFFFF}, {0, 0x00FFFFFF, 0x7FFF}, {1, 0xFF0909FF, 0x085F}, {0, 0x000909FF, 0x043F}};
    const std::vector<BYTE> font = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0x01};
    for (const Case& c : cases) {
        SetUp();
        g_b565 = c.b565;
        ASSERT_EQ(DrawAsciiGlyph('!', 0, 0, c.color, Buffer(), Block(font), 12, 6), 1);
        EXPECT_EQ(At(0, 0), c.pixel);
        EXPECT_EQ(At(5, 11), c.pixel);
        EXPECT_EQ(Changed().size(), 2u);
    }
}

TEST_F(GlyphTest, OnlyCellsLyingWhollyInsideTheScreenAreDrawn) {
    struct Case {
        bool big5;
        LONG x, y;
        int drawn;
    };
    const Case cases[] = {
        {false, 634, 0, 1},  {false, 635, 0, 0},  {false, 0, 468, 1},  {false, 0, 469, 0},
        {false, -1, 0, 0},   {false, 0, -1, 0},   {false, 634, 468, 1}, {false, -2147483647 - 1, 0, 0},
        {true, 628, 0, 1},   {true, 629, 0, 0},   {true, 0, 468, 1},   {true, 0, 469, 0},
        {true, -1, 10, 0},   {true, 10, -1, 0},   {true, 628, 468, 1},
    };
    const BYTE* em = Block(std::vector<BYTE>(EM_RECORDS * EM_RECORD_BYTES, 0xFF));
    const BYTE* cm = Block(std::vector<BYTE>(2 * CM_RECORD_BYTES, 0xFF));
    for (const Case& c : cases) {
        SetUp();
        const int result = c.big5 ? DrawBig5Glyph(0xA141, c.x, c.y, 0xFFFFFF, Buffer(), cm, 12)
                                  : DrawAsciiGlyph('A', c.x, c.y, 0xFFFFFF, Buffer(), em, 12, 6);
        EXPECT_EQ(result, c.drawn) << c.x << "," << c.y;
        EXPECT_EQ(Changed().size(), c.drawn ? (c.big5 ? 144u : 72u) : 0u) << c.x << "," << c.y;
    }
}

TEST_F(GlyphTest, OversizedCellsAreRefusedByTheirLowSixteenBits) {
    // 65535 as a height cannot fit; as unsigned 16 bits it is never negative.
    const BYTE* em = Block(std::vector<BYTE>(EM_RECORDS * EM_RECORD_BYTES, 0xFF));
    EXPECT_EQ(DrawAsciiGlyph('A', 0, 0, 0xFFFFFF, Buffer(), em, 0xFFFF, 6), 0);
    EXPECT_EQ(DrawAsciiGlyph('A', 0, 0, 0xFFFFFF, Buffer(), em, 12, 641), 0);
    EXPECT_TRUE(Untouched());
}

TEST_F(GlyphTest, SingleByteCodesThirtyTwoToOneFiftyNineAreRecordsZeroTo127) {
    const struct {
        char code;
        int record;
    } cases[] = {{31, -1},
                 {32, 0},
                 {'A', 33},
                 {127, 95},
                 {static_cast<char>(159), 127},
                 {static_cast<char>(160), -1},
                 {static_cast<char>(0xFF), -1},
                 {0, -1}};
    const BYTE* em = Block(NumberedFont(EM_RECORDS, EM_RECORD_BYTES));
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DrawAsciiGlyph(c.code, 0, 0, 0xFFFFFF, Buffer(), em, 12, 6), c.record >= 0 ? 1 : 0);
        EXPECT_EQ(RecordDrawnAt(screen, 0, 0, 6), c.record) << static_cast<int>(c.code);
    }
}

TEST_F(GlyphTest, Big5CodesFindTheirRecordsIncludingTheOddTrailBytes) {
    const struct {
        DWORD code;
        int record; // -1: refused
    } cases[] = {
        {0xA140, -1},   {0xA141, 1},    {0xA17E, 62},   {0xA1A1, 63},    {0xA1FE, 156},  {0xA240, 157},
        {0xA440, 471},  {0xF9FE, 13972}, {0xA17F, 63},  {0xA180, 30},    {0xA1FF, 157},  {0xA23F, 156},
        {0x1A440, 471}, {0xFFFFA441, 472},
        // Outside the font: negative record numbers and records past its end.
        {0xA13F, -1},   {0xA100, -1},   {0x0141, -1},   {0x80A1, -1},    {0xFA40, -1},   {0xFFFF, -1},
    };
    const BYTE* cm = Block(NumberedFont(CM_RECORDS, CM_RECORD_BYTES));
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(DrawBig5Glyph(c.code, 0, 0, 0xFFFFFF, Buffer(), cm, 12), c.record >= 0 ? 1 : 0) << std::hex
                                                                                                 << c.code;
        EXPECT_EQ(RecordDrawnAt(screen, 0, 0, 12), c.record) << std::hex << c.code;
    }
}

TEST_F(GlyphTest, RecordsAreServedOnlyWhenTheyEndInsideTheBlock) {
    const struct {
        size_t blockBytes;
        char code;
        int drawn;
    } cases[] = {
        {18, '!', 1}, {17, '!', 0}, {18, '"', 0}, {0, ' ', 0}, {1152, static_cast<char>(159), 1},
        {1151, static_cast<char>(159), 0},
    };
    for (const auto& c : cases) {
        SetUp();
        const BYTE* em = Block(std::vector<BYTE>(c.blockBytes, 0xFF));
        EXPECT_EQ(DrawAsciiGlyph(c.code, 0, 0, 0xFFFFFF, Buffer(), em, 12, 6), c.drawn) << c.blockBytes;
        EXPECT_EQ(Untouched(), c.drawn == 0);
    }
    EXPECT_EQ(DrawAsciiGlyph('!', 0, 0, 0xFFFFFF, Buffer(), nullptr, 12, 6), 0);
    EXPECT_EQ(DrawBig5Glyph(0xA141, 0, 0, 0xFFFFFF, Buffer(), nullptr, 12), 0);
}

TEST_F(GlyphTest, EmptyRecordsAndEmptyCellsAreHandledWithoutWriting) {
    const BYTE* em = Block(std::vector<BYTE>(EM_RECORDS * EM_RECORD_BYTES, 0));
    const BYTE* full = Block(std::vector<BYTE>(EM_RECORDS * EM_RECORD_BYTES, 0xFF));
    EXPECT_EQ(DrawAsciiGlyph('A', 10, 10, 0xFFFFFF, Buffer(), em, 12, 6), 1);
    EXPECT_EQ(DrawAsciiGlyph('A', 10, 10, 0xFFFFFF, Buffer(), full, 12, 0), 1);
    EXPECT_EQ(DrawAsciiGlyph('A', 10, 10, 0xFFFFFF, Buffer(), full, 0, 6), 1);
    EXPECT_EQ(DrawBig5Glyph(0xA141, 10, 10, 0xFFFFFF, Buffer(), full, 0), 1);
    EXPECT_TRUE(Untouched());
}

TEST_F(GlyphTest, CellsWhoseRecordOutgrowsTheScratchAreaAreRefused) {
    // 203x203 needs 5152 bytes per record; 204x204 needs 5202, past 5184.
    const BYTE* cm = Block(std::vector<BYTE>(2 * 5202, 0xFF));
    EXPECT_EQ(DrawBig5Glyph(0xA141, 0, 0, 0xFFFFFF, Buffer(), cm, 204), 0);
    EXPECT_TRUE(Untouched());
    EXPECT_EQ(DrawBig5Glyph(0xA141, 0, 0, 0xFFFFFF, Buffer(), cm, 203), 1);
    EXPECT_EQ(Changed().size(), 203u * 203u);
}

} // namespace
} // namespace texttest
