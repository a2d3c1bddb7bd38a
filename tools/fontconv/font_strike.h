// One bitmap strike of a font, drawn glyph by glyph into fixed cells.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <vector>

namespace fontconv {

// A cell of width x height pixels, row-major, true for ink.
struct Cell {
    int width = 0, height = 0;
    std::vector<bool> ink;
};

class FontStrike {
public:
    // Opens `path` (any font FreeType reads; .gz is inflated first), picks the
    // face whose family name is `family` (any face when empty) and selects
    // its strike of `pixels` pixels. Throws std::runtime_error with a message
    // that names the file when any of this is impossible.
    FontStrike(const std::string& path, const std::string& family, int pixels);
    ~FontStrike();
    FontStrike(const FontStrike&) = delete;
    FontStrike& operator=(const FontStrike&) = delete;

    // The glyph of Unicode code point `codePoint` in a cell, its baseline
    // `Ascent()` rows below the top, clipped to the cell; an empty cell when
    // the strike has no bitmap for it.
    Cell Render(unsigned long codePoint, int width, int height) const;

    int Ascent() const { return ascent; }

private:
    std::vector<unsigned char> data; // FreeType reads the face from here
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    int ascent = 0;
};

} // namespace fontconv
