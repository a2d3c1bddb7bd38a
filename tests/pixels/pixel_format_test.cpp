#include <gtest/gtest.h>

#include "pixels/pixel_format.h"
#include "tests/pixels/blend_reference.h"

namespace {

struct ConversionCase {
    DWORD color;
    WORD rgb565, rgb555;
};

TEST(ColorToPixel, TruncatesEachChannelInBothLayouts) {
    const ConversionCase cases[] = {
        {0x00FFFFFF, 0xFFFF, 0x7FFF}, {0x000909FF, 0x085F, 0x043F}, {0x7DFF0000, 0xF800, 0x7C00},
        {0x12345678, 0x32AF, 0x194F}, {0x00080408, 0x0821, 0x0401}, {0x00070307, 0x0000, 0x0000},
        {0xFF000000, 0x0000, 0x0000}, {0x00FF0000, 0xF800, 0x7C00}, {0xFFFFFFFF, 0xFFFF, 0x7FFF},
    };
    for (const auto& c : cases) {
        g_b565 = 1;
        EXPECT_EQ(ColorToPixel(c.color), c.rgb565) << std::hex << c.color;
        g_b565 = 0;
        EXPECT_EQ(ColorToPixel(c.color), c.rgb555) << std::hex << c.color;
    }
}

TEST(ColorToPixel, ReadsTheLayoutFlagAtEveryCall) {
    for (WORD flag : {0, 2, 0xFFFF}) {
        g_b565 = flag;
        EXPECT_EQ(ColorToPixel(0x00FFFFFF), 0x7FFF) << flag;
    }
}

TEST(SetupPixelMasks, InstallsThePairMasksOfTheLayout) {
    struct Case {
        WORD flag;
        DWORD a, b;
    };
    const Case cases[] = {
        {1, 0x07E0F81F, 0xF81F07E0},
        {0, 0x03E07C1F, 0x7C1F03E0},
        {2, 0x03E07C1F, 0x7C1F03E0},
        {0xFFFF, 0x03E07C1F, 0x7C1F03E0},
    };
    for (const auto& c : cases) {
        g_b565 = c.flag;
        SetupPixelMasks();
        EXPECT_EQ(g_dwPairMaskA, c.a) << c.flag;
        EXPECT_EQ(g_dwPairMaskB, c.b) << c.flag;
    }
}

} // namespace
