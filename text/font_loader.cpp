// The start-up step that reads "Cm.T" and "Em.T" whole from the current
// directory into font blocks.
#include <cstdio>
#include <filesystem>
#include <limits>

#include "app/app.h"
#include "text/font.h"

namespace {

// The whole file in a new font block, or null when it cannot be opened or
// read whole (a directory, no permission, a short read) or the block cannot
// be allocated: all of these count as a missing file.
BYTE* ReadFontFile(const char* name) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(name, ec)) return nullptr;
    std::FILE* file = std::fopen(name, "rb");
    if (!file) return nullptr;
    BYTE* block = nullptr;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long length = std::ftell(file);
        if (length >= 0 && static_cast<unsigned long>(length) <= std::numeric_limits<DWORD>::max() &&
            std::fseek(file, 0, SEEK_SET) == 0) {
            block = AllocFontBlock(static_cast<DWORD>(length));
            if (block && std::fread(block, 1, static_cast<size_t>(length), file) != static_cast<size_t>(length)) {
                FreeFontBlock(block);
                block = nullptr;
            }
        }
    }
    std::fclose(file);
    return block;
}

// Loads one font into `slot`. Only the existence of the name is tested first,
// as a missing file is the case worth a message; a file that then fails to
// load is reported with the same message.
void LoadFont(const char* name, const char* missingMessage, BYTE*& slot) {
    std::error_code ec;
    BYTE* block = std::filesystem::exists(name, ec) ? ReadFontFile(name) : nullptr;
    if (!block) {
        ErrorBox("%s", missingMessage);
        return;
    }
    FreeFontBlock(slot); // only set when an earlier run found Em.T but not Cm.T
    slot = block;
}

} // namespace

void LoadFonts() {
    if (g_pCmFont) return;
    LoadFont("Cm.T", "Error!! Cm not find!", g_pCmFont);
    LoadFont("Em.T", "Error!! Em not find!", g_pEmFont);
}
