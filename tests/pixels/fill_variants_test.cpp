// Every wide row loop gives exactly the bytes of the plain pair loop.
#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <random>
#include <sstream>
#include <algorithm>
#include <vector>

#include "pixels/fill.h"
#include "pixels/fill_variants.h"
#include "pixels/pixel_format.h"
#include "tests/pixels/blend_reference.h"

namespace {

class FillVariantTest : public ::testing::TestWithParam<FillVariant> {
protected:
    void SetUp() override {
        if (!FillVariantSupported(GetParam())) GTEST_SKIP() << FillVariantName(GetParam()) << " does not run here";
        std::cout << "[ variant  ] " << FillVariantName(GetParam()) << " runs here" << std::endl;
    }
    void TearDown() override { SelectFillVariant(FillVariant::Pair); }

    // The same fill with the pair loop and with the variant under test.
    template <class Fill>
    void Both(std::vector<WORD>& reference, std::vector<WORD>& tested, Fill fill) {
        ASSERT_TRUE(SelectFillVariant(FillVariant::Pair));
        fill(reference);
        ASSERT_TRUE(SelectFillVariant(GetParam()));
        fill(tested);
    }
};

std::string VariantName(const ::testing::TestParamInfo<FillVariant>& info) { return FillVariantName(info.param); }
INSTANTIATE_TEST_SUITE_P(Wide, FillVariantTest,
                         ::testing::Values(FillVariant::Sse2, FillVariant::Avx2, FillVariant::Avx512), VariantName);

// Pairs whose halves run through all 65536 values, one half counting up and
// the other scrambled; `swap` exchanges the halves.
std::vector<WORD> AllPixelsInBothHalves(bool swap) {
    std::vector<WORD> buf(SCREEN_WIDTH * SCREEN_HEIGHT);
    for (size_t j = 0; j < buf.size() / 2; ++j) {
        const WORD counted = static_cast<WORD>(j), scrambled = static_cast<WORD>(j * 40503u + 7);
        buf[2 * j + (swap ? 1 : 0)] = counted;
        buf[2 * j + (swap ? 0 : 1)] = scrambled;
    }
    return buf;
}

TEST_P(FillVariantTest, SameAsPairLoopForEveryPixelLevelColourAndLayout) {
    const DWORD colors[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xA5C3E7, 0x080408};
    for (bool swap : {false, true}) {
        const std::vector<WORD> source = AllPixelsInBothHalves(swap);
        std::vector<WORD> reference, tested;
        for (bool rgb565 : {true, false}) {
            blend_ref::UseLayout(rgb565);
            for (DWORD color : colors)
                for (DWORD level = 0; level < 32; ++level)
                    for (DWORD skip : {0u, 1u}) {
                        const DWORD packed = (level << 27) | color;
                        Both(reference, tested, [&](std::vector<WORD>& buf) {
                            buf = source;
                            FillAlphaRect(buf.data(), WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, packed, skip);
                        });
                        ASSERT_TRUE(reference == tested) << std::hex << (rgb565 ? "565" : "555") << " colour "
                                                         << packed << " skip " << skip << " swap " << swap;
                    }
        }
    }
}

TEST_P(FillVariantTest, SameAsPairLoopOnRandomRectanglesAndLeavesTheGuardBandAlone) {
    constexpr size_t GUARD = 64;  // words before the first row and after the last
    const LONG pitches[] = {1280, 1282, 1290, 1344, 1366};
    std::mt19937 rng(20240611);
    auto pick = [&rng](long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(rng); };

    // Random pixels, one in eight of them 0, for every round.
    std::vector<WORD> noise(2 * GUARD + 64 + 1366 / 2 * SCREEN_HEIGHT);
    for (WORD& w : noise) w = pick(0, 7) ? static_cast<WORD>(rng()) : 0;

    std::vector<WORD> reference(noise.size()), tested(noise.size());  // reused: no page faults per round
    for (int round = 0; round < 1000; ++round) {
        const LONG pitch = pitches[pick(0, 4)];
        const size_t offset = static_cast<size_t>(pick(0, 31));  // start at any even byte address
        const size_t words = GUARD + offset + static_cast<size_t>(pitch / 2) * SCREEN_HEIGHT + GUARD;
        const WORD* source = noise.data() + pick(0, 31);

        LONG x = static_cast<LONG>(pick(-40, 660)), width = static_cast<LONG>(pick(-4, 120));
        const LONG y = static_cast<LONG>(pick(-20, 490)), height = static_cast<LONG>(pick(-2, 40));
        if (pick(0, 3) == 0) {  // whole rows, where rows may lie back to back
            x = 0;
            width = SCREEN_WIDTH;
        }
        const DWORD color = static_cast<DWORD>(rng());
        const DWORD skip = static_cast<DWORD>(pick(0, 2)) << (pick(0, 1) * 8);  // 0x100 and 0x200 blend everything
        const bool rgb565 = pick(0, 1) != 0;
        blend_ref::UseLayout(rgb565);

        Both(reference, tested, [&](std::vector<WORD>& buf) {
            std::copy(source, source + words, buf.begin());
            FillAlphaRect(buf.data() + GUARD + offset, pitch, width, height, x, y, color, skip);
        });
        const auto where = [&] {
            std::ostringstream s;
            s << "round " << round << ": pitch " << pitch << " offset " << offset << " rect " << x << "," << y << " "
              << width << "x" << height << std::hex << " colour " << color << " skip " << skip;
            return s.str();
        };
        ASSERT_TRUE(std::equal(reference.begin(), reference.begin() + words, tested.begin())) << where();
        ASSERT_TRUE(std::equal(source, source + GUARD + offset, tested.begin())) << where();
        ASSERT_TRUE(std::equal(source + words - GUARD, source + words, tested.begin() + words - GUARD)) << where();
        for (int row = 0; row < SCREEN_HEIGHT; ++row) {
            const size_t spare = GUARD + offset + static_cast<size_t>(row) * (pitch / 2) + SCREEN_WIDTH;
            ASSERT_TRUE(std::equal(source + spare, source + spare + (pitch / 2 - SCREEN_WIDTH), tested.begin() + spare))
                << where() << " row " << row;
        }
    }
}

} // namespace
