// The real bitmap services: bitmap files and resources read through SDL,
// painted into 16-bit surface memory with the layout's truncation, scaled,
// and hostile files refused without harm.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/resources.h"

namespace {

struct Rgb {
    BYTE r, g, b;
};
using Picture = std::function<Rgb(int x, int y)>; // (0, 0) is the top-left pixel

void Put16(std::vector<BYTE>& v, size_t at, uint32_t x) {
    v[at] = static_cast<BYTE>(x);
    v[at + 1] = static_cast<BYTE>(x >> 8);
}
void Put32(std::vector<BYTE>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

// A bitmap file of the picture: 24 or 32 bits, or 8 bits with a palette of
// `colors` entries (plain or run-length encoded), rows bottom first unless
// the height is negative.
enum class Kind { Rgb24, Rgb32, BitFields32, Palette8, Rle8 };
std::vector<BYTE> MakeBmp(Kind kind, int width, int height, const Picture& picture, int colors = 16) {
    const int rows = height < 0 ? -height : height;
    const int bits = kind == Kind::Rgb24 ? 24 : kind == Kind::Palette8 || kind == Kind::Rle8 ? 8 : 32;
    const int tableBytes = bits == 8 ? 4 * colors : kind == Kind::BitFields32 ? 12 : 0;
    const size_t rowBytes = static_cast<size_t>((width * bits + 31) / 32 * 4);
    std::vector<BYTE> pixels;
    for (int r = 0; r < rows; ++r) {
        const int y = height < 0 ? r : rows - 1 - r;
        std::vector<BYTE> row;
        for (int x = 0; x < width; ++x) {
            const Rgb c = picture(x, y);
            if (bits == 8) {
                row.push_back(static_cast<BYTE>((x + y * width) % colors));
            } else {
                row.insert(row.end(), {c.b, c.g, c.r});
                if (bits == 32) row.push_back(0);
            }
        }
        if (kind == Kind::Rle8) {
            for (BYTE index : row) pixels.insert(pixels.end(), {1, index});
            pixels.insert(pixels.end(), {0, 0});
        } else {
            row.resize(rowBytes, 0);
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    if (kind == Kind::Rle8) pixels.insert(pixels.end(), {0, 1});

    const size_t rowsStart = 14 + 40 + static_cast<size_t>(tableBytes);
    std::vector<BYTE> f(rowsStart + pixels.size());
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, static_cast<uint32_t>(f.size()));
    Put32(f, 10, static_cast<uint32_t>(rowsStart));
    Put32(f, 14, 40);
    Put32(f, 18, static_cast<uint32_t>(width));
    Put32(f, 22, static_cast<uint32_t>(height));
    Put16(f, 26, 1);
    Put16(f, 28, static_cast<uint32_t>(bits));
    Put32(f, 30, kind == Kind::Rle8 ? 1 : kind == Kind::BitFields32 ? 3 : 0);
    Put32(f, 34, static_cast<uint32_t>(pixels.size()));
    Put32(f, 38, 2834);
    Put32(f, 42, 2834);
    Put32(f, 46, bits == 8 ? static_cast<uint32_t>(colors) : 0);
    if (bits == 8)
        for (int i = 0; i < colors; ++i) Put32(f, 54 + 4 * i, static_cast<uint32_t>(0x10203 * i)); // B, G, R = 3i, 2i, i
    if (kind == Kind::BitFields32) {
        Put32(f, 54, 0xFF0000);
        Put32(f, 58, 0x00FF00);
        Put32(f, 62, 0x0000FF);
    }
    std::copy(pixels.begin(), pixels.end(), f.begin() + static_cast<ptrdiff_t>(rowsStart));
    return f;
}

Rgb Pattern(int x, int y) { return {static_cast<BYTE>(x * 37 + 5), static_cast<BYTE>(y * 53 + 9), static_cast<BYTE>(x * y * 11)}; }

WORD To565(Rgb c) { return static_cast<WORD>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }

class BitmapServices : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/quorvel-gdi-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder_ = dir;
    }
    void TearDown() override {
        for (const auto& f : files_) std::remove(f.c_str());
        rmdir(folder_.c_str());
    }

    std::string Write(const std::vector<BYTE>& bytes) {
        std::string path = folder_ + "/pic" + std::to_string(files_.size());
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        files_.push_back(path);
        return path;
    }

    HBITMAP LoadFile(const std::vector<BYTE>& bytes, int cx = 0, int cy = 0) {
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, Write(bytes).c_str(), IMAGE_BITMAP, cx, cy, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }

    // The bitmap (or its part) stretched over a width x height surface of
    // 16-bit pixels, as the background capture paints it.
    static std::vector<WORD> Paint(HBITMAP bitmap, int width, int height, bool rgb565, RECT part = {0, 0, 0, 0}) {
        BITMAP bm{};
        EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), static_cast<int>(sizeof(BITMAP)));
        if (part.right == 0) part = {0, 0, bm.bmWidth, bm.bmHeight};
        std::vector<WORD> pixels(static_cast<size_t>(width) * height, 0xDEAD);
        HDC surface = platform::MakeSurfaceDC(pixels.data(), 2 * width, width, height, rgb565);
        HDC memory = CreateCompatibleDC(nullptr);
        SelectObject(memory, bitmap);
        EXPECT_TRUE(StretchBlt(surface, 0, 0, width, height, memory, part.left, part.top, part.right - part.left,
                               part.bottom - part.top, SRCCOPY));
        EXPECT_TRUE(DeleteDC(memory));
        platform::FreeSurfaceDC(surface);
        return pixels;
    }

    static std::vector<WORD> Expected(int width, int height, const Picture& picture) {
        std::vector<WORD> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) out.push_back(To565(picture(x, y)));
        return out;
    }

    std::string folder_;
    std::vector<std::string> files_;
};

TEST_F(BitmapServices, FileColoursBecomeTruncated16BitPixels) {
    const Rgb colors[] = {{255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                          {7, 3, 7},       {8, 4, 8},   {128, 128, 128}, {0x12, 0x34, 0x56}};
    const WORD rgb565[] = {0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0000, 0x0821, 0x8410, 0x11AA};
    const WORD rgb555[] = {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x0000, 0x0401, 0x4210, 0x08CA};
    // Four colours a row, two rows: the second row tests that the picture
    // lands upright.
    HBITMAP bitmap = LoadFile(MakeBmp(Kind::Rgb24, 4, 2, [&](int x, int y) { return colors[4 * y + x]; }));
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 2);

    EXPECT_EQ(Paint(bitmap, 4, 2, true), std::vector<WORD>(std::begin(rgb565), std::end(rgb565)));
    EXPECT_EQ(Paint(bitmap, 4, 2, false), std::vector<WORD>(std::begin(rgb555), std::end(rgb555)));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP), &bm), 0);
}

TEST_F(BitmapServices, ResourcesAreFoundByNameAndTypeFromTheModule) {
    const std::vector<BYTE> file = MakeBmp(Kind::Rgb24, 3, 2, Pattern);
    static std::vector<BYTE> dib;
    dib.assign(file.begin() + 14, file.end());
    platform::RegisterEmbeddedResource({"TESTPIC", RT_BITMAP, dib.data(), dib.size()});
    HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000));

    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, "testpic", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(Paint(bitmap, 3, 2, true), Expected(3, 2, Pattern));
    DeleteObject(bitmap);

    struct Case {
        const char* name;
        HINSTANCE module;
        const char* picture;
        UINT type, flags;
    } missing[] = {
        {"no module", nullptr, "TESTPIC", IMAGE_BITMAP, LR_CREATEDIBSECTION},
        {"other name", module, "OTHER", IMAGE_BITMAP, LR_CREATEDIBSECTION},
        {"other type", module, "TESTPIC", 1, LR_CREATEDIBSECTION},
        {"integer name", module, reinterpret_cast<const char*>(uintptr_t{7}), IMAGE_BITMAP, LR_CREATEDIBSECTION},
        {"no such file", nullptr, "/nonexistent/TESTPIC", IMAGE_BITMAP, LR_LOADFROMFILE},
        {"a folder", nullptr, "/tmp", IMAGE_BITMAP, LR_LOADFROMFILE},
    };
    for (const Case& c : missing) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadImageA(c.module, c.picture, c.type, 0, 0, c.flags), nullptr);
    }
}

TEST_F(BitmapServices, PicturesAreScaledByTheLoaderAndByTheCopy) {
    const std::vector<BYTE> file = MakeBmp(Kind::Rgb24, 320, 240, Pattern);
    const auto doubled = [](int x, int y) { return Pattern(x / 2, y / 2); };

    HBITMAP scaledByLoader = LoadFile(file, 640, 480);
    ASSERT_NE(scaledByLoader, nullptr);
    EXPECT_EQ(Paint(scaledByLoader, 640, 480, true), Expected(640, 480, doubled));

    HBITMAP own = LoadFile(file);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(Paint(own, 640, 480, true), Expected(640, 480, doubled));
    // A part of the bitmap stretched over the whole surface.
    EXPECT_EQ(Paint(own, 4, 4, true, {10, 20, 12, 22}),
              Expected(4, 4, [](int x, int y) { return Pattern(10 + x / 2, 20 + y / 2); }));
    DeleteObject(scaledByLoader);
    DeleteObject(own);
}

TEST_F(BitmapServices, HostileFilesGiveThePictureOrNothing) {
    const std::vector<BYTE> good = MakeBmp(Kind::Rgb24, 4, 3, Pattern);
    const auto with = [&](size_t at, uint32_t value, int bytes = 4) {
        std::vector<BYTE> f = good;
        if (bytes == 2) Put16(f, at, value);
        else Put32(f, at, value);
        return f;
    };
    const auto cut = [&](size_t size) { return std::vector<BYTE>(good.begin(), good.begin() + size); };
    const Picture palette = [](int x, int y) {
        const int i = (x + y * 4) % 16;
        return Rgb{static_cast<BYTE>(i), static_cast<BYTE>(2 * i), static_cast<BYTE>(3 * i)};
    };
    std::vector<BYTE> paletteOverrun = MakeBmp(Kind::Palette8, 4, 3, palette, 16);
    Put32(paletteOverrun, 46, 2); // two colours declared, indices up to 11 used
    std::vector<BYTE> tooManyColors = MakeBmp(Kind::Palette8, 4, 3, palette, 16);
    Put32(tooManyColors, 46, 300);
    std::vector<BYTE> rleCut = MakeBmp(Kind::Rle8, 4, 3, palette);
    rleCut.resize(rleCut.size() - 8);
    std::vector<BYTE> rleTopDown = MakeBmp(Kind::Rle8, 4, 3, palette);
    Put32(rleTopDown, 22, static_cast<uint32_t>(-3));

    struct Case {
        const char* name;
        std::vector<BYTE> file;
        Picture picture; // null: no picture
    } cases[] = {
        {"intact", good, Pattern},
        {"top row first", MakeBmp(Kind::Rgb24, 4, -3, Pattern), Pattern},
        {"32 bits", MakeBmp(Kind::Rgb32, 4, 3, Pattern), Pattern},
        {"32 bits with masks", MakeBmp(Kind::BitFields32, 4, 3, Pattern), Pattern},
        {"8-bit palette", MakeBmp(Kind::Palette8, 4, 3, palette), palette},
        {"8-bit run-length", MakeBmp(Kind::Rle8, 4, 3, palette), palette},
        {"empty", {}, nullptr},
        {"cut in the file header", cut(10), nullptr},
        {"cut in the info header", cut(30), nullptr},
        {"cut in the rows", cut(good.size() - 1), nullptr},
        {"run-length data cut", rleCut, nullptr},
        {"run-length top row first", rleTopDown, nullptr},
        {"not a bitmap", with(0, 'P' | 'K' << 8, 2), nullptr},
        {"width 0", with(18, 0), nullptr},
        {"height 0", with(22, 0), nullptr},
        {"negative width", with(18, static_cast<uint32_t>(-4)), nullptr},
        {"most negative height", with(22, static_cast<uint32_t>(INT_MIN)), nullptr},
        {"absurd width", with(18, 1u << 30), nullptr},
        {"too many pixels", with(22, 16384), nullptr},
        {"two planes", with(26, 2, 2), nullptr},
        {"7 bits a pixel", with(28, 7, 2), nullptr},
        {"embedded JPEG", with(30, 4), nullptr},
        {"rows beyond the end", with(10, 1000), nullptr},
        {"rows inside the header", with(10, 20), nullptr},
        {"unknown header size", with(14, 41), nullptr},
        {"colour count beyond 8 bits", tooManyColors, nullptr},
        {"palette index beyond the colours", paletteOverrun, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HBITMAP bitmap = LoadFile(c.file);
        if (!c.picture) {
            EXPECT_EQ(bitmap, nullptr);
            continue;
        }
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(Paint(bitmap, 4, 3, true), Expected(4, 3, c.picture));
        DeleteObject(bitmap);
    }
}

TEST_F(BitmapServices, CopiesOnlyBetweenTheRightKindsOfDeviceContext) {
    HBITMAP bitmap = LoadFile(MakeBmp(Kind::Rgb24, 2, 2, Pattern));
    ASSERT_NE(bitmap, nullptr);
    std::vector<WORD> pixels(4, 0xDEAD);
    HDC surface = platform::MakeSurfaceDC(pixels.data(), 4, 2, 2, true);
    HDC empty = CreateCompatibleDC(nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, bitmap);

    EXPECT_FALSE(DeleteObject(bitmap)); // still selected
    EXPECT_FALSE(StretchBlt(surface, 0, 0, 2, 2, empty, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(surface, 0, 0, 2, 2, nullptr, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(StretchBlt(surface, 0, 0, 2, 2, memory, 0, 0, 2, 2, 0x00EE0086));
    EXPECT_FALSE(StretchBlt(surface, 0, 0, -2, 2, memory, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(pixels, std::vector<WORD>(4, 0xDEAD));
    // Parts beyond either edge are clipped, not written outside.
    EXPECT_TRUE(StretchBlt(surface, 1, 1, 2, 2, memory, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(pixels, (std::vector<WORD>{0xDEAD, 0xDEAD, 0xDEAD, To565(Pattern(0, 0))}));

    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteDC(empty));
    EXPECT_FALSE(DeleteDC(memory));
    EXPECT_FALSE(DeleteDC(surface));
    EXPECT_TRUE(DeleteObject(bitmap));
    platform::FreeSurfaceDC(surface);
}

} // namespace
