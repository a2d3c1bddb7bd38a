// The generated font files against the fonts they come from: every checked
// glyph must be FreeType's own bitmap of the source strike, set on the
// strike's baseline and clipped to the cell.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

bool Exists(const std::string& path) {
    return std::ifstream(path).good();
}

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

class FontFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Exists(EM_SOURCE) || !Exists(CM_SOURCE)) GTEST_SKIP() << "source fonts not installed";
        ASSERT_EQ(FT_Init_FreeType(&library), 0);
    }
    void TearDown() override {
        if (library) FT_Done_FreeType(library);
    }

    // The face of `path` named `family` (or its first face) at its 12 px strike.
    FT_Face OpenStrike(const std::string& path, const std::string& family) {
        for (long i = 0;; ++i) {
            FT_Face face = nullptr;
            if (FT_New_Face(library, path.c_str(), i, &face)) return nullptr;
            if (family.empty() || family == face->family_name) {
                for (int s = 0; s < face->num_fixed_sizes; ++s)
                    if (face->available_sizes[s].y_ppem == 12 * 64 && FT_Select_Size(face, s) == 0) return face;
                return nullptr;
            }
            FT_Done_Face(face);
        }
    }

    FT_Library library = nullptr;
};

TEST_F(FontFilesTest, TheFilesHaveOneRecordPerCode) {
    EXPECT_EQ(ReadAll(std::string(FONT_DIR) + "/Em.T").size(), 128u * 9u);
    EXPECT_EQ(ReadAll(std::string(FONT_DIR) + "/Cm.T").size(), 89u * 157u * 18u);
}

TEST_F(FontFilesTest, GlyphsAreTheSourceStrikesOwnBitmaps) {
    const struct {
        const char* file;
        const char* source;
        const char* family;
        int width;
        unsigned long codePoint;
        size_t record;
    } cases[] = {
        {"Em.T", EM_SOURCE, "", 6, 'F', 'F' - 32},
        {"Em.T", EM_SOURCE, "", 6, '0', '0' - 32},
        {"Em.T", EM_SOURCE, "", 6, 'g', 'g' - 32}, // a descender
        {"Cm.T", CM_SOURCE, CM_FAMILY, 12, 0x4E00, 471},                          // Big5 0xA440
        {"Cm.T", CM_SOURCE, CM_FAMILY, 12, 0x4E2D, 157 * (0xA4 - 0xA1) + 0xA4 - 0x62}, // Big5 0xA4A4
    };
    for (const auto& c : cases) {
        const std::vector<unsigned char> font = ReadAll(std::string(FONT_DIR) + "/" + c.file);
        const size_t recordBytes = c.width * 12 / 8;
        ASSERT_GE(font.size(), (c.record + 1) * recordBytes);
        const unsigned char* record = font.data() + c.record * recordBytes;

        FT_Face face = OpenStrike(c.source, c.family);
        ASSERT_NE(face, nullptr) << c.source;
        ASSERT_EQ(FT_Load_Char(face, c.codePoint, FT_LOAD_SBITS_ONLY | FT_LOAD_RENDER | FT_LOAD_TARGET_MONO), 0);
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        ASSERT_EQ(bitmap.pixel_mode, FT_PIXEL_MODE_MONO);
        const int top = static_cast<int>(face->size->metrics.ascender >> 6) - face->glyph->bitmap_top;
        const int left = face->glyph->bitmap_left;

        int ink = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const int k = y * c.width + x;
                const bool stored = record[k / 8] & (0x80 >> (k % 8));
                const int r = y - top, col = x - left;
                const bool source = r >= 0 && r < static_cast<int>(bitmap.rows) && col >= 0 &&
                                    col < static_cast<int>(bitmap.width) &&
                                    (bitmap.buffer[r * bitmap.pitch + col / 8] & (0x80 >> (col % 8)));
                EXPECT_EQ(stored, source) << std::hex << c.codePoint << " at " << std::dec << x << "," << y;
                ink += stored;
            }
        }
        EXPECT_GT(ink, 0) << std::hex << c.codePoint;
        FT_Done_Face(face);
    }
}

TEST(FontConverterTest, AFontWithoutATwelvePixelStrikeFailsWithAClearMessage) {
    if (!Exists(NO_TWELVE_PIXEL_FONT)) GTEST_SKIP() << "xfonts-base not installed";
    const std::string output = ::testing::TempDir() + "/no-strike.T";
    std::remove(output.c_str());
    const std::string command = std::string(FONTCONV) + " em " + NO_TWELVE_PIXEL_FONT + " " + output + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char chunk[256];
    while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) said.append(chunk, n);
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(said.find("no 12-pixel bitmap strike (strikes: 13)"), std::string::npos) << said;
    EXPECT_FALSE(Exists(output));
}

} // namespace
