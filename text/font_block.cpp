// Font blocks: the bytes of a font file behind a small header that keeps
// their length, so the glyph routines can tell whether a record lies inside.
#include <cstddef>
#include <cstdlib>

#include "text/font.h"

namespace {

// The header is as large as the strictest alignment, so the bytes after it
// are aligned like any other heap block.
union BlockHeader {
    DWORD length;
    std::max_align_t align;
};

BlockHeader* HeaderOf(const BYTE* block) {
    return reinterpret_cast<BlockHeader*>(const_cast<BYTE*>(block)) - 1;
}

} // namespace

BYTE* g_pEmFont = nullptr;
BYTE* g_pCmFont = nullptr;

BYTE* AllocFontBlock(DWORD length) {
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + static_cast<size_t>(length)));
    if (!header) return nullptr;
    header->length = length;
    return reinterpret_cast<BYTE*>(header + 1);
}

DWORD FontBlockLength(const BYTE* block) {
    return block ? HeaderOf(block)->length : 0;
}

void FreeFontBlock(BYTE* block) {
    if (block) std::free(HeaderOf(block));
}
