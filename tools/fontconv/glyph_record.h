// The record of one glyph: the cell's pixels row by row, left to right, one
// bit each, most significant bit first, rows running on without alignment.
#pragma once

#include <vector>

#include "tools/fontconv/font_strike.h"

namespace fontconv {

std::vector<unsigned char> PackCell(const Cell& cell);

} // namespace fontconv
