// The picture that the program carries: its exact bytes around the rows, and
// that it loads as a 640x480 bitmap from the program's own resources.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/resources.h"

namespace {

uint32_t U32(const BYTE* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

TEST(CarriedPicture, IsAnUncompressed24BitDibOf640By480) {
    const platform::EmbeddedResource* back = platform::FindEmbeddedResource("BACK", RT_BITMAP);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->size, 921642u);
    const BYTE* h = back->data;
    EXPECT_EQ(U32(h + 0), 40u);
    EXPECT_EQ(U32(h + 4), 640u);
    EXPECT_EQ(U32(h + 8), 480u);
    EXPECT_EQ(U16(h + 12), 1u);
    EXPECT_EQ(U16(h + 14), 24u);
    EXPECT_EQ(U32(h + 16), 0u);
    EXPECT_EQ(U32(h + 20), 0u);
    EXPECT_EQ(U32(h + 24), 2834u);
    EXPECT_EQ(U32(h + 28), 2834u);
    EXPECT_EQ(U32(h + 32), 0u);
    EXPECT_EQ(U32(h + 36), 0u);
    EXPECT_EQ(h[921640], 0);
    EXPECT_EQ(h[921641], 0);

    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
    HANDLE bitmap = LoadImageA(module, "BACK", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 640);
    EXPECT_EQ(bm.bmHeight, 480);
    EXPECT_TRUE(DeleteObject(bitmap));
}

// Painted into 16-bit surface memory, every pixel is the carried row's
// colour with each channel truncated, and the picture stands upright.
TEST(CarriedPicture, PaintsAsTheTruncatedPixelsOfItsRows) {
    const platform::EmbeddedResource* back = platform::FindEmbeddedResource("BACK", RT_BITMAP);
    ASSERT_NE(back, nullptr);
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));
    HANDLE bitmap = LoadImageA(module, "BACK", IMAGE_BITMAP, 640, 480, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);

    for (bool rgb565 : {true, false}) {
        SCOPED_TRACE(rgb565 ? "RGB565" : "RGB555");
        std::vector<WORD> pixels(640 * 480);
        HDC surface = platform::MakeSurfaceDC(pixels.data(), 1280, 640, 480, rgb565);
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, bitmap);
        ASSERT_TRUE(StretchBlt(surface, 0, 0, 640, 480, memory, 0, 0, 640, 480, SRCCOPY));
        DeleteDC(memory);
        platform::FreeSurfaceDC(surface);

        std::vector<WORD> expected;
        for (int y = 0; y < 480; ++y) {
            const BYTE* row = back->data + 40 + (479 - y) * 1920; // bottom row first
            for (int x = 0; x < 640; ++x) {
                const unsigned b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
                expected.push_back(static_cast<WORD>(rgb565 ? (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
                                                            : (r >> 3) << 10 | (g >> 3) << 5 | b >> 3));
            }
        }
        EXPECT_TRUE(pixels == expected);
    }
    DeleteObject(bitmap);
}

} // namespace
