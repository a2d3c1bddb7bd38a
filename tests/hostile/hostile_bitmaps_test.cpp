// Hostile bitmap files under the name "BACK", through the real bitmap
// services: every kind of file the loader takes, cut at every byte and with
// damaged sizes, gives either the right picture or no picture (null), and
// painting what was loaded never writes outside the surface.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/gdi/device_context.h"

namespace {

struct Rgb {
    BYTE r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

void Put16(std::vector<BYTE>& v, size_t at, uint32_t x) {
    v[at] = static_cast<BYTE>(x);
    v[at + 1] = static_cast<BYTE>(x >> 8);
}
void Put32(std::vector<BYTE>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

// 8 bits to n bits and back by bit replication, as 16-bit pixels widen.
BYTE Widen(unsigned v, int bits) {
    v <<= 8 - bits;
    return static_cast<BYTE>(v | v >> bits);
}

// The kinds of file: colour table with 1, 4 or 8 bits an index (plain or
// run-length), 16 bits (5-5-5, or 5-6-5 with masks), 24, 32 (plain or with
// masks), the short 12-byte header with 24 bits, and the 124-byte header.
enum class Kind { Mono, Pal4, Rle4, Pal8, Rle8, Rgb555, Masks565, Rgb24, Rgb32, Masks32, Core24, V5Rgb24 };

struct Layout {
    int bits;
    uint32_t compression;
    uint32_t headerSize;
};
Layout LayoutOf(Kind k) {
    switch (k) {
    case Kind::Mono: return {1, 0, 40};
    case Kind::Pal4: return {4, 0, 40};
    case Kind::Rle4: return {4, 2, 40};
    case Kind::Pal8: return {8, 0, 40};
    case Kind::Rle8: return {8, 1, 40};
    case Kind::Rgb555: return {16, 0, 40};
    case Kind::Masks565: return {16, 3, 40};
    case Kind::Rgb24: return {24, 0, 40};
    case Kind::Rgb32: return {32, 0, 40};
    case Kind::Masks32: return {32, 3, 40};
    case Kind::Core24: return {24, 0, 12};
    case Kind::V5Rgb24: return {24, 0, 124};
    }
    return {};
}

// The colour of pixel (x, y) (top-left is 0, 0) as the file can hold it: a
// palette index picks one of `colors` entries; 16-bit pixels hold 5 or 6
// bits a channel.
int IndexAt(int x, int y, int colors) { return (x * 3 + y * 5) % colors; }
Rgb PaletteColor(int i) { return {static_cast<BYTE>(40 * i + 7), static_cast<BYTE>(255 - 17 * i), static_cast<BYTE>(9 * i)}; }
Rgb ColorAt(Kind k, int x, int y) {
    const Layout l = LayoutOf(k);
    if (l.bits <= 8) return PaletteColor(IndexAt(x, y, 1 << (l.bits < 4 ? l.bits : 4)));
    const unsigned r = (x * 37 + y * 11) & 255, g = (y * 53 + 9 + x) & 255, b = (x * y * 7 + 3) & 255;
    if (k == Kind::Rgb555) return {Widen(r >> 3, 5), Widen(g >> 3, 5), Widen(b >> 3, 5)};
    if (k == Kind::Masks565) return {Widen(r >> 3, 5), Widen(g >> 2, 6), Widen(b >> 3, 5)};
    return {static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)};
}

// Pixel rows (bottom row first, unless top-down) of the picture.
std::vector<BYTE> Rows(Kind k, int width, int rows, bool topDown) {
    const Layout l = LayoutOf(k);
    const int colors = l.bits <= 8 ? 1 << (l.bits < 4 ? l.bits : 4) : 0;
    std::vector<BYTE> out;
    for (int r = 0; r < rows; ++r) {
        const int y = topDown ? r : rows - 1 - r;
        if (l.compression == 1 || l.compression == 2) {
            // One run of one pixel each (RLE4: two equal nibbles), then the end of the line.
            for (int x = 0; x < width; ++x) {
                const int i = IndexAt(x, y, colors);
                out.insert(out.end(), {1, static_cast<BYTE>(l.compression == 2 ? i << 4 | i : i)});
            }
            out.insert(out.end(), {0, 0});
            continue;
        }
        std::vector<BYTE> row(static_cast<size_t>((width * l.bits + 31) / 32 * 4), 0);
        for (int x = 0; x < width; ++x) {
            const Rgb c = ColorAt(k, x, y);
            if (colors) {
                const int i = IndexAt(x, y, colors), bit = x * l.bits;
                row[bit / 8] |= static_cast<BYTE>(i << (8 - l.bits - bit % 8));
            } else if (l.bits == 16) {
                const unsigned p = k == Kind::Rgb555 ? (c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3
                                                     : (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3;
                Put16(row, 2 * x, p);
            } else {
                const size_t at = static_cast<size_t>(x) * (l.bits / 8);
                row[at] = c.b;
                row[at + 1] = c.g;
                row[at + 2] = c.r;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    if (l.compression == 1 || l.compression == 2) out.insert(out.end(), {0, 1});
    return out;
}

std::vector<BYTE> MakeFile(Kind k, int width, int height) {
    const Layout l = LayoutOf(k);
    const int rows = height < 0 ? -height : height;
    const int colors = l.bits <= 8 ? 1 << (l.bits < 4 ? l.bits : 4) : 0;
    const int entry = l.headerSize == 12 ? 3 : 4;
    const size_t masks = l.compression == 3 && l.headerSize == 40 ? 12 : 0;
    const std::vector<BYTE> pixels = Rows(k, width, rows, height < 0);
    const size_t rowsStart = 14 + l.headerSize + masks + static_cast<size_t>(colors) * entry;
    std::vector<BYTE> f(rowsStart + pixels.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    Put32(f, 2, static_cast<uint32_t>(f.size()));
    Put32(f, 10, static_cast<uint32_t>(rowsStart));
    Put32(f, 14, l.headerSize);
    if (l.headerSize == 12) {
        Put16(f, 18, static_cast<uint32_t>(width));
        Put16(f, 20, static_cast<uint32_t>(height));
        Put16(f, 22, 1);
        Put16(f, 24, static_cast<uint32_t>(l.bits));
    } else {
        Put32(f, 18, static_cast<uint32_t>(width));
        Put32(f, 22, static_cast<uint32_t>(height));
        Put16(f, 26, 1);
        Put16(f, 28, static_cast<uint32_t>(l.bits));
        Put32(f, 30, l.compression);
        Put32(f, 34, static_cast<uint32_t>(pixels.size()));
        Put32(f, 46, static_cast<uint32_t>(colors));
        if (l.compression == 3) {
            const bool is565 = l.bits == 16;
            Put32(f, 54, is565 ? 0xF800 : 0xFF0000);
            Put32(f, 58, is565 ? 0x07E0 : 0x00FF00);
            Put32(f, 62, is565 ? 0x001F : 0x0000FF);
        }
    }
    for (int i = 0; i < colors; ++i) {
        const Rgb c = PaletteColor(i);
        const size_t at = 14 + l.headerSize + static_cast<size_t>(i) * entry;
        f[at] = c.b;
        f[at + 1] = c.g;
        f[at + 2] = c.r;
    }
    std::copy(pixels.begin(), pixels.end(), f.begin() + static_cast<ptrdiff_t>(rowsStart));
    return f;
}

WORD Expected565(Rgb c) { return static_cast<WORD>((c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3); }
WORD Expected555(Rgb c) { return static_cast<WORD>((c.r >> 3) << 10 | (c.g >> 3) << 5 | c.b >> 3); }

class HostileBitmaps : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[] = "/tmp/quorvel-back-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder_ = dir;
        path_ = folder_ + "/BACK";
    }
    void TearDown() override {
        std::remove(path_.c_str());
        rmdir(folder_.c_str());
    }

    HBITMAP Load(const std::vector<BYTE>& bytes, size_t size) {
        std::FILE* out = std::fopen(path_.c_str(), "wb");
        if (size) std::fwrite(bytes.data(), 1, size, out);
        std::fclose(out);
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, path_.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }

    // Paints the bitmap into a surface of its own size (rows padded to 4
    // bytes, guard bytes after the surface) in one layout; true when every
    // pixel is the picture's and nothing outside the rows changed.
    static ::testing::AssertionResult PaintsAs(HBITMAP bitmap, Kind k, int width, int rows, bool rgb565) {
        BITMAP bm{};
        if (GetObjectA(bitmap, sizeof bm, &bm) != static_cast<int>(sizeof bm) || bm.bmWidth != width ||
            bm.bmHeight != rows)
            return ::testing::AssertionFailure() << "size " << bm.bmWidth << "x" << bm.bmHeight;
        const LONG pitch = (2 * width + 3) / 4 * 4 + 4;
        std::vector<BYTE> memory(static_cast<size_t>(pitch) * rows + 64, 0xA5);
        HDC surface = platform::MakeSurfaceDC(memory.data(), pitch, width, rows, rgb565);
        HDC source = CreateCompatibleDC(nullptr);
        SelectObject(source, bitmap);
        const BOOL painted = StretchBlt(surface, 0, 0, width, rows, source, 0, 0, width, rows, SRCCOPY);
        DeleteDC(source);
        platform::FreeSurfaceDC(surface);
        if (!painted) return ::testing::AssertionFailure() << "not painted";
        for (size_t i = 0; i < memory.size(); ++i) {
            const size_t y = i / pitch, x = (i % pitch) / 2;
            if (y < static_cast<size_t>(rows) && x < static_cast<size_t>(width)) {
                if (i % 2) continue;
                const Rgb c = ColorAt(k, static_cast<int>(x), static_cast<int>(y));
                const WORD want = rgb565 ? Expected565(c) : Expected555(c);
                const WORD got = static_cast<WORD>(memory[i] | memory[i + 1] << 8);
                if (got != want)
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << got
                                                         << " instead of " << want;
            } else if (memory[i] != 0xA5) {
                return ::testing::AssertionFailure() << "byte " << i << " outside the rows written";
            }
        }
        return ::testing::AssertionSuccess();
    }

    std::string folder_, path_;
};

constexpr Kind ALL_KINDS[] = {Kind::Mono, Kind::Pal4,    Kind::Rle4,  Kind::Pal8,    Kind::Rle8,   Kind::Rgb555,
                              Kind::Masks565, Kind::Rgb24, Kind::Rgb32, Kind::Masks32, Kind::Core24, Kind::V5Rgb24};

TEST_F(HostileBitmaps, EveryKindCutAtEveryByteGivesThePictureOrNothing) {
    for (Kind k : ALL_KINDS) {
        for (int height : {3, -3}) {
            const bool rle = LayoutOf(k).compression == 1 || LayoutOf(k).compression == 2;
            if (height < 0 && (rle || LayoutOf(k).headerSize == 12)) continue; // these are bottom-up only
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(k)) + ", height " + std::to_string(height));
            const std::vector<BYTE> file = MakeFile(k, 5, height);
            HBITMAP whole = Load(file, file.size());
            ASSERT_NE(whole, nullptr);
            EXPECT_TRUE(PaintsAs(whole, k, 5, 3, true));
            EXPECT_TRUE(PaintsAs(whole, k, 5, 3, false));
            DeleteObject(whole);
            for (size_t size = 0; size < file.size(); ++size) {
                HBITMAP cut = Load(file, size);
                if (!cut) continue;
                EXPECT_TRUE(PaintsAs(cut, k, 5, 3, true)) << "cut at " << size;
                DeleteObject(cut);
            }
        }
    }
}

TEST_F(HostileBitmaps, DamagedSizesGiveNoPicture) {
    struct Case {
        const char* what;
        Kind kind;
        size_t at;       // byte offset of the field
        uint32_t value;
    } cases[] = {
        {"width 0", Kind::Pal8, 18, 0},
        {"height 0", Kind::Rle8, 22, 0},
        {"negative width", Kind::Mono, 18, static_cast<uint32_t>(-5)},
        {"run-length top row first", Kind::Rle4, 22, static_cast<uint32_t>(-3)},
        {"absurd width", Kind::Rle8, 18, 0x7FFFFFFF},
        {"absurd height", Kind::Rgb555, 22, 0x40000000},
        {"most negative height", Kind::Pal4, 22, 0x80000000},
        {"wider than the largest side", Kind::Rle8, 18, 16385},
        {"widest side, rows missing", Kind::Rgb24, 18, 16384},
        {"short header with width 0", Kind::Core24, 18, 0},
        {"header longer than the file", Kind::V5Rgb24, 14, 0x7FFFFFF0},
        {"rows start beyond the end", Kind::Masks32, 10, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> file = MakeFile(c.kind, 5, 3);
        if (c.kind == Kind::Core24 && c.at >= 18 && c.at < 26)
            Put16(file, c.at, c.value);
        else
            Put32(file, c.at, c.value);
        EXPECT_EQ(Load(file, file.size()), nullptr);
    }
}

TEST_F(HostileBitmaps, AnOddWidthIsLoadedAndPaintedWhole) {
    for (Kind k : {Kind::Rgb24, Kind::Pal8, Kind::Mono}) {
        SCOPED_TRACE(static_cast<int>(k));
        const std::vector<BYTE> file = MakeFile(k, 641, 2);
        HBITMAP bitmap = Load(file, file.size());
        ASSERT_NE(bitmap, nullptr);
        EXPECT_TRUE(PaintsAs(bitmap, k, 641, 2, true));
        DeleteObject(bitmap);
    }
}

} // namespace
