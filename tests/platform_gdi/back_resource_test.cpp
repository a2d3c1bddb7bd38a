// The picture that the program carries: its exact bytes around the rows, and
// that it loads as a 640x480 bitmap from the program's own resources.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

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

} // namespace
