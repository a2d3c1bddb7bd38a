#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "pixels/blit.h"
#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"

namespace {

// Byte buffers with distinct, nonzero contents, seen as 16-bit pixels.
std::vector<BYTE> Numbered(size_t bytes, BYTE first = 1) {
    std::vector<BYTE> v(bytes);
    std::iota(v.begin(), v.end(), first);
    return v;
}
WORD* Words(std::vector<BYTE>& v) { return reinterpret_cast<WORD*>(v.data()); }

TEST(BlitRect, NullSourceOrDestinationChangesNothing) {
    std::vector<BYTE> src = Numbered(160), dst(192, 0xEE);
    const RECT rect{0, 0, 4, 2};
    BlitRect(Words(dst), 48, 0, 0, nullptr, &rect, 40);
    BlitRect(nullptr, 48, 0, 0, Words(src), &rect, 40);
    EXPECT_EQ(dst, std::vector<BYTE>(192, 0xEE));
}

// Copies pixel by pixel: what the copy must give for any rectangle.
std::vector<BYTE> ExpectedCopy(std::vector<BYTE> dst, LONG dstPitch, LONG dx, LONG dy, const std::vector<BYTE>& src,
                               RECT r, LONG srcPitch) {
    for (LONG row = 0; row < r.bottom - r.top; ++row)
        for (LONG col = 0; col < r.right - r.left; ++col)
            std::memcpy(&dst[(dy + row) * dstPitch + 2 * (dx + col)],
                        &src[(r.top + row) * srcPitch + 2 * (r.left + col)], 2);
    return dst;
}

TEST(BlitRect, CopiesExactlyTheRectangleRowByRow) {
    struct Case {
        RECT rect;
        LONG dx, dy;
    };
    const Case cases[] = {
        {{2, 1, 6, 3}, 1, 0},   // two rows of two pairs
        {{0, 0, 2, 4}, 3, 1},   // one pair per row
        {{1, 0, 4, 4}, 0, 2},   // odd width: the last column too, rows stay aligned
        {{5, 2, 6, 3}, 7, 3},   // a single pixel
        {{3, 0, 3, 4}, 0, 0},   // width 0
        {{0, 2, 4, 2}, 0, 0},   // height 0
        {{0, 3, 4, 1}, 0, 0},   // negative height
        {{4, 0, 1, 2}, 0, 0},   // negative width
    };
    const std::vector<BYTE> src = Numbered(40 * 5);
    for (const auto& c : cases) {
        std::vector<BYTE> dst(48 * 6, 0xEE);
        const std::vector<BYTE> want = ExpectedCopy(dst, 48, c.dx, c.dy, src, c.rect, 40);
        BlitRect(Words(dst), 48, c.dx, c.dy, reinterpret_cast<const WORD*>(src.data()), &c.rect, 40);
        EXPECT_EQ(dst, want) << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
    }
}

TEST(BlitRect, WorkedExampleLandsSourceBytesAtTheirPlaces) {
    std::vector<BYTE> src = Numbered(160, 0), dst(192, 0xEE);
    const RECT rect{2, 1, 6, 3};
    BlitRect(Words(dst), 48, 1, 0, Words(src), &rect, 40);
    for (size_t i = 0; i < dst.size(); ++i) {
        if (i >= 2 && i <= 9)
            EXPECT_EQ(dst[i], 44 + (i - 2)) << i;
        else if (i >= 50 && i <= 57)
            EXPECT_EQ(dst[i], 84 + (i - 50)) << i;
        else
            EXPECT_EQ(dst[i], 0xEE) << i;
    }
}

TEST(BlitRect, WholeFrameIsOneUnbrokenCopy) {
    std::vector<BYTE> src = Numbered(WORK_BYTES), dst(WORK_BYTES, 0);
    const RECT rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    BlitRect(Words(dst), WORK_PITCH, 0, 0, Words(src), &rect, WORK_PITCH);
    EXPECT_EQ(dst, src);
}

// Records the size field that each lock is given.
class SizeCheckingSurface : public fake::Surface {
public:
    using fake::Surface::Surface;
    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, HANDLE event) override {
        sizes.push_back(desc->dwSize);
        lockFlags.push_back(flags);
        wholeSurface.push_back(rect == nullptr);
        return fake::Surface::Lock(rect, desc, flags, event);
    }
    std::vector<DWORD> sizes, lockFlags;
    std::vector<bool> wholeSurface;
};

class PresentBufferTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
    std::vector<BYTE> work = Numbered(WORK_BYTES);
};

TEST_F(PresentBufferTest, WideSurfaceGetsEachRowAtItsPitchAndKeepsTheRest) {
    fake::Surface* back = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, 2048, fake::Layout::RGB565);
    std::memset(back->Bytes(), 0x5A, back->memory.size());
    PresentBuffer(back, Words(work), SCREEN_WIDTH, SCREEN_HEIGHT);
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const BYTE* row = back->Bytes() + y * 2048;
        ASSERT_EQ(std::memcmp(row, &work[y * WORK_PITCH], WORK_PITCH), 0) << "row " << y;
        for (int i = WORK_PITCH; i < 2048; ++i) ASSERT_EQ(row[i], 0x5A) << "row " << y << " byte " << i;
    }
    EXPECT_FALSE(back->locked);
}

TEST_F(PresentBufferTest, PackedSurfaceGetsTheWholeImageInOneRun) {
    fake::Surface* back = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    PresentBuffer(back, Words(work), SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_EQ(back->memory, work);
}

TEST_F(PresentBufferTest, LocksTheWholeSurfaceWithFlagsZeroAndTheRecordsOwnSize) {
    SizeCheckingSurface back("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    back.lockResults = {DDERR_WASSTILLDRAWING, DD_OK};
    PresentBuffer(&back, Words(work), SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_EQ(back.sizes, (std::vector<DWORD>{sizeof(DDSURFACEDESC2), sizeof(DDSURFACEDESC2)}));
    EXPECT_EQ(back.lockFlags, (std::vector<DWORD>{0, 0}));
    EXPECT_EQ(back.wholeSurface, (std::vector<bool>{true, true}));
}

TEST_F(PresentBufferTest, RetriesABusyLockAtOnceAndGivesUpOnAnyOtherFailure) {
    struct Case {
        std::deque<HRESULT> locks;
        int lockCalls, unlockCalls;
        bool copied;
    };
    const Case cases[] = {
        {{}, 1, 1, true},
        {{DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK}, 3, 1, true},
        {{DDERR_SURFACELOST}, 1, 0, false},
        {{DDERR_WASSTILLDRAWING, DDERR_GENERIC}, 2, 0, false},
    };
    for (const auto& c : cases) {
        fake::Reset();
        fake::Surface* back = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
        back->lockResults = c.locks;
        PresentBuffer(back, Words(work), SCREEN_WIDTH, SCREEN_HEIGHT);
        const auto& st = fake::state();
        EXPECT_EQ(st.Count("back.Lock"), c.lockCalls) << c.locks.size();
        EXPECT_EQ(st.Count("back.Unlock"), c.unlockCalls) << c.locks.size();
        EXPECT_EQ(back->memory, c.copied ? work : std::vector<BYTE>(WORK_BYTES, 0)) << c.locks.size();
    }
}

TEST_F(PresentBufferTest, OddWidthAndEmptyHeightCopyOnlyWhatIsThere) {
    struct Case {
        LONG width, height;
    };
    const Case cases[] = {{3, 2}, {1, 3}, {4, 0}, {4, -1}};
    const std::vector<BYTE> image = Numbered(64);
    for (const auto& c : cases) {
        fake::Reset();
        fake::Surface* back = fake::MakeSurface("back", 8, 4, 16, fake::Layout::RGB565);
        std::memset(back->Bytes(), 0xEE, back->memory.size());
        std::vector<BYTE> want = back->memory;
        for (LONG y = 0; y < c.height; ++y) std::memcpy(&want[y * 16], &image[y * 2 * c.width], 2 * c.width);
        PresentBuffer(back, reinterpret_cast<const WORD*>(image.data()), c.width, c.height);
        EXPECT_EQ(back->memory, want) << c.width << "x" << c.height;
        EXPECT_FALSE(back->locked);
    }
}

TEST_F(PresentBufferTest, NullImageOrSurfaceDoesNothing) {
    fake::Surface* back = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    PresentBuffer(back, nullptr, SCREEN_WIDTH, SCREEN_HEIGHT);
    PresentBuffer(nullptr, Words(work), SCREEN_WIDTH, SCREEN_HEIGHT);
    EXPECT_EQ(fake::state().Count("back.Lock"), 0);
    EXPECT_EQ(back->memory, std::vector<BYTE>(WORK_BYTES, 0));
}

} // namespace
