// Hostile font files: whatever lies in the working directory under the name
// "Em.T" or "Cm.T", the user gets either the missing-file message or a loaded
// block, and then the read-out and every glyph code draw only records that
// lie whole inside the block (the sanitizer build also checks every read).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"
#include "text/font.h"
#include "text/text.h"

namespace {

constexpr DWORD EM_RECORD = 9;  // 6x12 cell
constexpr DWORD CM_RECORD = 18; // 12x12 cell
constexpr DWORD EM_FULL = 128 * EM_RECORD;
constexpr DWORD CM_FULL = 89 * 157 * CM_RECORD; // lead bytes 0xA1 to 0xF9
constexpr long long HUGE_FILE = 64LL << 20;

void WriteFile(const char* name, size_t size, BYTE fill = 0xFF) {
    std::FILE* f = std::fopen(name, "wb");
    ASSERT_NE(f, nullptr);
    const std::vector<BYTE> bytes(size, fill);
    if (size) {
        ASSERT_EQ(std::fwrite(bytes.data(), 1, size, f), size);
    }
    std::fclose(f);
}

// What lies under the font's name. Returns false when this row cannot be
// made to fail for the user running the tests (root reads any file).
using Entry = std::function<bool(const char* name)>;

Entry Sized(size_t size) {
    return [size](const char* name) {
        WriteFile(name, size);
        return true;
    };
}

bool Huge(const char* name) { // sparse: takes no disk space
    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool made = fd >= 0 && ftruncate(fd, HUGE_FILE) == 0;
    if (fd >= 0) close(fd);
    return made;
}

bool Unreadable(const char* name) {
    WriteFile(name, 100);
    chmod(name, 0);
    return access(name, R_OK) != 0;
}

bool Folder(const char* name) { return mkdir(name, 0755) == 0; }
bool Fifo(const char* name) { return mkfifo(name, 0644) == 0; } // opening it for reading would wait forever
bool DanglingLink(const char* name) { return symlink("no-such-file", name) == 0; }
bool LinkToDevice(const char* name) { return symlink("/dev/zero", name) == 0; } // endless, not a file

struct Case {
    const char* what;
    Entry entry;
    long long length; // the loaded block's length; -1: reported as missing
};

class HostileFonts : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous_ = cwd;
        char dir[] = "/tmp/quorvel-hostile-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder_ = dir;
        ASSERT_EQ(chdir(dir), 0);
        g_b565 = 1;
        SetupPixelMasks();
        screen_.assign(SCREEN_WIDTH * SCREEN_HEIGHT, 0);
    }
    void TearDown() override {
        ReleaseFonts();
        ASSERT_EQ(chdir(previous_.c_str()), 0);
        ASSERT_EQ(std::system(("chmod -R u+rwx '" + folder_ + "' && rm -rf '" + folder_ + "'").c_str()), 0);
    }
    static void ReleaseFonts() {
        FreeFontBlock(g_pEmFont);
        FreeFontBlock(g_pCmFont);
        g_pEmFont = g_pCmFont = nullptr;
    }
    static void Clear(const char* name) {
        chmod(name, 0644);
        if (std::remove(name) != 0) rmdir(name);
    }

    // The read-out as the frame draws it: eight outline copies, then the text.
    void DrawReadOut() {
        const int offsets[9][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}, {0, 0}};
        for (const auto& o : offsets)
            DrawLabelNumber("FPS:", 60, 1 + o[0], 25 + o[1], 0x00FFFFFF, screen_.data());
    }

    // Every single-byte code is drawn exactly when its record lies in the block.
    void ExpectEmGlyphsInsideOnly() {
        const DWORD length = FontBlockLength(g_pEmFont);
        for (int code = 0; code < 256; ++code) {
            const bool inside = g_pEmFont && code >= 32 && code < 160 && (code - 32 + 1) * EM_RECORD <= length;
            ASSERT_EQ(DrawAsciiGlyph(static_cast<char>(code), 0, 0, 0xFFFFFF, screen_.data(), g_pEmFont, 12, 6),
                      inside ? 1 : 0)
                << "code " << code;
        }
    }

    // Every double-byte code is drawn exactly when its record number is at
    // least 1 and the record lies in the block.
    void ExpectCmGlyphsInsideOnly() {
        const DWORD length = FontBlockLength(g_pCmFont);
        for (long code = 0; code < 0x10000; ++code) {
            const long lead = code >> 8, trail = code & 0xFF;
            const long record = 157 * (lead - 0xA1) + (trail & 0x80 ? trail - 0x62 : trail - 0x40);
            const bool inside = g_pCmFont && record >= 1 && (record + 1) * static_cast<long long>(CM_RECORD) <= length;
            ASSERT_EQ(DrawBig5Glyph(static_cast<DWORD>(code), 0, 0, 0xFFFFFF, screen_.data(), g_pCmFont, 12),
                      inside ? 1 : 0)
                << "code " << std::hex << code;
        }
    }

    // Each row puts the entry under one name; the other font is a sound file.
    void RunTable(bool em) {
        const char* name = em ? "Em.T" : "Cm.T";
        const char* other = em ? "Cm.T" : "Em.T";
        const DWORD record = em ? EM_RECORD : CM_RECORD;
        const DWORD full = em ? EM_FULL : CM_FULL;
        const std::string message = em ? "Error!! Em not find!" : "Error!! Cm not find!";
        const Case cases[] = {
            {"empty", Sized(0), 0},
            {"one byte", Sized(1), 1},
            {"one record", Sized(record), record},
            {"one record short", Sized(full - record), full - record},
            {"not a multiple of the record", Sized(full - record / 2), full - record / 2},
            {"complete", Sized(full), full},
            {"huge (64 MiB)", Huge, HUGE_FILE},
            {"unreadable", Unreadable, -1},
            {"a folder", Folder, -1},
            {"a pipe", Fifo, -1},
            {"a dangling link", DanglingLink, -1},
            {"a link to a device", LinkToDevice, -1},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(name) + ": " + c.what);
            fake::Reset();
            ReleaseFonts();
            Clear(name);
            Clear(other);
            WriteFile(other, 2 * (em ? CM_RECORD : EM_RECORD));
            if (!c.entry(name)) {
                std::printf("[ SKIPPED  ] %s \"%s\": cannot be made to fail for this user (root reads any file)\n", name,
                            c.what);
                continue;
            }
            LoadFonts();
            const BYTE* block = em ? g_pEmFont : g_pCmFont;
            if (c.length < 0) {
                EXPECT_EQ(fake::state().messageBoxes, std::vector<std::string>{message});
                EXPECT_EQ(block, nullptr);
            } else {
                EXPECT_TRUE(fake::state().messageBoxes.empty());
                ASSERT_NE(block, nullptr);
                EXPECT_EQ(FontBlockLength(block), static_cast<DWORD>(c.length));
            }
            // The program runs on: the read-out, then every code of the font.
            DrawReadOut();
            if (em) ExpectEmGlyphsInsideOnly();
            else ExpectCmGlyphsInsideOnly();
        }
    }

    std::string previous_, folder_;
    std::vector<WORD> screen_;
};

TEST_F(HostileFonts, SingleByteFontFiles) { RunTable(true); }

TEST_F(HostileFonts, DoubleByteFontFiles) { RunTable(false); }

} // namespace
