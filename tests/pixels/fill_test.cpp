// The fill's rules, checked on every row loop this machine can run.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "pixels/fill.h"
#include "pixels/fill_variants.h"
#include "pixels/pixel_format.h"
#include "tests/pixels/blend_reference.h"

namespace {

class FillTest : public ::testing::TestWithParam<FillVariant> {
protected:
    void SetUp() override {
        if (!FillVariantSupported(GetParam())) GTEST_SKIP() << FillVariantName(GetParam()) << " does not run here";
    }
    void TearDown() override { SelectFillVariant(FillVariant::Pair); }
    void Use(bool rgb565) {
        blend_ref::UseLayout(rgb565);
        ASSERT_TRUE(SelectFillVariant(GetParam()));
    }
    // Work buffer filled with one value, blended whole.
    std::vector<WORD> FillWhole(WORD value, DWORD color, DWORD skip = 0) {
        std::vector<WORD> buf(SCREEN_WIDTH * SCREEN_HEIGHT, value);
        FillAlphaRect(buf.data(), WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, color, skip);
        return buf;
    }
};

std::string VariantName(const ::testing::TestParamInfo<FillVariant>& info) { return FillVariantName(info.param); }
INSTANTIATE_TEST_SUITE_P(Variants, FillTest, ::testing::ValuesIn(ALL_FILL_VARIANTS), VariantName);

TEST_P(FillTest, KnownResults) {
    struct Case {
        bool rgb565;
        DWORD color;
        WORD dst, want;
    };
    const Case cases[] = {
        // The frame's red at level 15.
        {true, 0x7DFF0000, 0x8410, 0xB208}, {true, 0x7DFF0000, 0xFFFF, 0xF3EF}, {true, 0x7DFF0000, 0x0000, 0x7000},
        {true, 0x7DFF0000, 0x07E0, 0x73E0}, {true, 0x7DFF0000, 0x001F, 0x700F}, {true, 0x7DFF0000, 0xE000, 0xE000},
        {false, 0x7DFF0000, 0x4210, 0x5908}, {false, 0x7DFF0000, 0x7FFF, 0x79EF}, {false, 0x7DFF0000, 0xFFFF, 0x79EF},
        {false, 0x7DFF0000, 0x0000, 0x3800}, {false, 0x7DFF0000, 0x03E0, 0x39E0},
        // Level 0 still lowers every channel a step.
        {true, 0x00000000, 0xFFFF, 0xF7BE}, {true, 0x00000000, 0x0842, 0x0021}, {false, 0x00000000, 0x7FFF, 0x7BDE},
        {true, 0x07FFFFFF, 0xFFFF, 0xF7BE},
        // Level 31 with white never quite reaches white.
        {true, 0xFFFFFFFF, 0x0000, 0xF7BE}, {true, 0xFFFFFFFF, 0x1234, 0xF7BE}, {true, 0xF8FFFFFF, 0xFFFF, 0xF7BE},
        {false, 0xFFFFFFFF, 0x0000, 0x7BDE}, {false, 0xF8FFFFFF, 0x8421, 0x7BDE},
    };
    for (const auto& c : cases) {
        Use(c.rgb565);
        const std::vector<WORD> buf = FillWhole(c.dst, c.color);
        for (size_t i = 0; i < buf.size(); ++i)
            ASSERT_EQ(buf[i], c.want) << std::hex << (c.rgb565 ? "565 " : "555 ") << c.color << " over " << c.dst
                                      << " at pixel " << std::dec << i;
    }
}

TEST_P(FillTest, SkipModeKeepsBlackPixelsBlack) {
    struct Case {
        DWORD skip;
        WORD black;  // what a 0 pixel becomes
    };
    const Case cases[] = {{1, 0x0000}, {0xFF, 0x0000}, {0x101, 0x0000}, {0, 0x7000}, {0x100, 0x7000}};
    Use(true);
    for (const auto& c : cases) {
        // Zeros in left halves, right halves and whole pairs.
        std::vector<WORD> buf(SCREEN_WIDTH * SCREEN_HEIGHT);
        for (size_t i = 0; i < buf.size(); ++i) buf[i] = (i % 3 == 0) ? 0x0000 : 0x1234;
        FillAlphaRect(buf.data(), WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, 0x7DFF0000, c.skip);
        for (size_t i = 0; i < buf.size(); ++i)
            ASSERT_EQ(buf[i], (i % 3 == 0) ? c.black : 0x790A) << "skip " << std::hex << c.skip << " pixel " << i;
    }
}

TEST_P(FillTest, EveryPixelEveryLevelFollowsThePerChannelRule) {
    const DWORD colors[] = {0x00FF0000, 0x00FFFFFF, 0x00123456, 0x0000FF80};
    std::vector<WORD> source(SCREEN_WIDTH * SCREEN_HEIGHT), buf(source.size()), want(65536);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<WORD>(i);
    for (bool rgb565 : {true, false}) {
        Use(rgb565);
        for (DWORD color : colors)
            for (DWORD level = 0; level < 32; ++level)
                for (bool skip : {false, true}) {
                    const DWORD packed = (level << 27) | color;
                    const WORD c = ColorToPixel(packed);
                    for (unsigned d = 0; d < 65536; ++d)
                        want[d] = blend_ref::Blend(static_cast<WORD>(d), c, level, rgb565, skip);
                    buf = source;
                    FillAlphaRect(buf.data(), WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, packed, skip);
                    size_t i = 0;
                    while (i < buf.size() && buf[i] == want[source[i]]) ++i;
                    ASSERT_EQ(i, buf.size()) << std::hex << (rgb565 ? "565" : "555") << " colour " << packed
                                             << " skip " << skip << " over " << source[i] << " gives " << buf[i]
                                             << " instead of " << want[source[i]];
                }
    }
}

// A buffer of 480 rows with room to the right of each row and whole guard
// rows above and below, so that a stray write shows.
struct GuardedBuffer {
    static constexpr LONG PITCH = 1296; // 8 spare pixels per row
    static constexpr int GUARD_ROWS = 2;
    static constexpr WORD FILL = 0xFFFF;
    std::vector<WORD> storage = std::vector<WORD>((SCREEN_HEIGHT + 2 * GUARD_ROWS) * PITCH / 2, FILL);
    WORD* Origin() { return storage.data() + GUARD_ROWS * PITCH / 2; }
    WORD At(long x, long y) const { return storage[(y + GUARD_ROWS) * PITCH / 2 + x]; }
};

TEST_P(FillTest, ClipsToTheScreenAndTouchesNothingOutside) {
    struct Case {
        LONG x, y, width, height;
        int left, top, right, bottom;  // the pixels that must change, right and bottom exclusive
    };
    const Case cases[] = {
        {0, 0, 640, 480, 0, 0, 640, 480},
        {-2, 0, 10, 3, 0, 0, 8, 3},
        {636, 5, 10, 2, 636, 5, 640, 7},
        {0, 478, 4, 10, 0, 478, 4, 480},
        {0, -5, 4, 7, 0, 0, 4, 2},
        {3, 2, 5, 3, 3, 2, 8, 5},        // odd width at an odd column
        {7, 1, 1, 4, 7, 1, 8, 5},        // one column
        {639, 479, 1, 1, 639, 479, 640, 480},
        {-1, 0, 4, 1, 0, 0, 3, 1},       // odd after clipping
        {637, 0, 9, 2, 637, 0, 640, 2},  // odd after clipping at the right edge
        {-0x7FFFFFF0, 0, 0x7FFFFFFF, 1, 0, 0, 15, 1},
        // Nothing at all:
        {640, 0, 4, 4, 0, 0, 0, 0},
        {0, 480, 4, 4, 0, 0, 0, 0},
        {0, 0, 4, 0, 0, 0, 0, 0},
        {0, 0, 4, -3, 0, 0, 0, 0},
        {-10, 0, 10, 5, 0, 0, 0, 0},
        {0, -5, 4, 4, 0, 0, 0, 0},
        {0x7FFFFFF0, 0, 100, 1, 0, 0, 0, 0},
        {0, 0, 0x7FFFFFFF, -0x7FFFFFFF, 0, 0, 0, 0},
    };
    const WORD blended = 0xF7BE;  // white under colour 0 at level 0, RGB565
    for (const auto& c : cases) {
        Use(true);
        GuardedBuffer buf;
        FillAlphaRect(buf.Origin(), GuardedBuffer::PITCH, c.width, c.height, c.x, c.y, 0x00000000, 0);
        const int firstRow = -GuardedBuffer::GUARD_ROWS, lastRow = SCREEN_HEIGHT + GuardedBuffer::GUARD_ROWS;
        for (int y = firstRow; y < lastRow; ++y)
            for (int x = 0; x < GuardedBuffer::PITCH / 2; ++x) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                ASSERT_EQ(buf.At(x, y), inside ? blended : GuardedBuffer::FILL)
                    << "rect " << c.x << "," << c.y << " " << c.width << "x" << c.height << " at " << x << "," << y;
            }
    }
}

TEST_P(FillTest, NullBufferDoesNothing) {
    Use(true);
    FillAlphaRect(nullptr, WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, 0x7DFF0000, 0);
}

} // namespace
