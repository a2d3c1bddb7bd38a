#include "tools/fontconv/glyph_record.h"

namespace fontconv {

std::vector<unsigned char> PackCell(const Cell& cell) {
    const size_t bits = static_cast<size_t>(cell.width) * cell.height;
    std::vector<unsigned char> record((bits + 7) / 8, 0);
    for (size_t k = 0; k < bits; ++k)
        if (cell.ink[k]) record[k / 8] |= static_cast<unsigned char>(0x80 >> (k % 8));
    return record;
}

} // namespace fontconv
