#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/text/text_fixture.h"
#include "text/font.h"

namespace texttest {
namespace {

// Each test runs in a fresh temporary directory of its own.
class FontLoaderTest : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous = cwd;
        char dir[] = "/tmp/quorvel-fonts-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        ASSERT_EQ(chdir(dir), 0);
    }
    void TearDown() override {
        TextTest::TearDown();
        ASSERT_EQ(chdir(previous.c_str()), 0);
        std::string command = "rm -rf '" + folder + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void Write(const char* name, const std::vector<BYTE>& bytes) {
        std::FILE* f = std::fopen(name, "wb");
        ASSERT_NE(f, nullptr);
        if (!bytes.empty()) {
            ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        }
        std::fclose(f);
    }
    static std::vector<BYTE> Contents(const BYTE* block) {
        return block ? std::vector<BYTE>(block, block + FontBlockLength(block)) : std::vector<BYTE>{};
    }

    std::string previous, folder;
};

const std::vector<BYTE> kCm = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
const std::vector<BYTE> kEm = {0xA5, 0, 0x5A};

TEST_F(FontLoaderTest, BothFilesAreReadWholeByteForByte) {
    Write("Cm.T", kCm);
    Write("Em.T", kEm);
    LoadFonts();
    EXPECT_EQ(Contents(g_pCmFont), kCm);
    EXPECT_EQ(Contents(g_pEmFont), kEm);
    EXPECT_TRUE(fake::state().messageBoxes.empty());
}

TEST_F(FontLoaderTest, MissingFilesAreReportedInOrderAndStayNull) {
    const struct {
        bool cm, em;
        std::vector<std::string> messages;
    } cases[] = {
        {false, true, {"Error!! Cm not find!"}},
        {true, false, {"Error!! Em not find!"}},
        {false, false, {"Error!! Cm not find!", "Error!! Em not find!"}},
    };
    for (const auto& c : cases) {
        fake::Reset();
        std::remove("Cm.T");
        std::remove("Em.T");
        if (c.cm) Write("Cm.T", kCm);
        if (c.em) Write("Em.T", kEm);
        LoadFonts();
        EXPECT_EQ(fake::state().messageBoxes, c.messages);
        EXPECT_EQ(Contents(g_pCmFont), c.cm ? kCm : std::vector<BYTE>{});
        EXPECT_EQ(g_pCmFont != nullptr, c.cm);
        EXPECT_EQ(g_pEmFont != nullptr, c.em);
        FreeFontBlock(g_pCmFont);
        FreeFontBlock(g_pEmFont);
        g_pCmFont = g_pEmFont = nullptr;
    }
}

TEST_F(FontLoaderTest, NothingIsReadOnceTheDoubleByteFontIsLoaded) {
    g_pCmFont = MakeBlock(kEm);
    Write("Cm.T", kCm);
    Write("Em.T", kEm);
    LoadFonts();
    EXPECT_EQ(Contents(g_pCmFont), kEm);
    EXPECT_EQ(g_pEmFont, nullptr);
    EXPECT_TRUE(fake::state().messageBoxes.empty());
}

TEST_F(FontLoaderTest, AnEmptyFileGivesABlockWithNoGlyphInside) {
    Write("Cm.T", kCm);
    Write("Em.T", {});
    LoadFonts();
    ASSERT_NE(g_pEmFont, nullptr);
    EXPECT_EQ(FontBlockLength(g_pEmFont), 0u);
    EXPECT_EQ(DrawAsciiGlyph(' ', 0, 0, 0xFFFFFF, Buffer(), g_pEmFont, 12, 6), 0);
    EXPECT_EQ(DrawAsciiGlyph('A', 0, 0, 0xFFFFFF, Buffer(), g_pEmFont, 12, 6), 0);
    EXPECT_TRUE(fake::state().messageBoxes.empty());
}

TEST_F(FontLoaderTest, AnEntryThatCannotBeReadAsAFileCountsAsMissing) {
    Write("Cm.T", kCm);
    ASSERT_EQ(mkdir("Em.T", 0755), 0);
    LoadFonts();
    EXPECT_EQ(fake::state().messageBoxes, std::vector<std::string>{"Error!! Em not find!"});
    EXPECT_EQ(g_pEmFont, nullptr);
    EXPECT_EQ(Contents(g_pCmFont), kCm);
}

} // namespace
} // namespace texttest
