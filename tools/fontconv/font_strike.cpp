#include "tools/fontconv/font_strike.h"

#include <stdexcept>

#include "tools/fontconv/font_file.h"

namespace fontconv {

namespace {

FT_Face OpenFace(FT_Library library, const std::vector<unsigned char>& data, long index) {
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, data.data(), static_cast<FT_Long>(data.size()), index, &face)) return nullptr;
    return face;
}

} // namespace

FontStrike::FontStrike(const std::string& path, const std::string& family, int pixels) : data(ReadFontFile(path)) {
    if (FT_Init_FreeType(&library)) throw std::runtime_error("cannot start FreeType");
    FT_Face probe = OpenFace(library, data, -1);
    if (!probe) {
        FT_Done_FreeType(library);
        throw std::runtime_error(path + ": not a font FreeType can read");
    }
    const long faces = probe->num_faces;
    FT_Done_Face(probe);

    std::string seen;
    for (long i = 0; i < faces && !face; ++i) {
        FT_Face candidate = OpenFace(library, data, i);
        if (!candidate) continue;
        const std::string name = candidate->family_name ? candidate->family_name : "";
        if (family.empty() || name == family) {
            face = candidate;
        } else {
            seen += (seen.empty() ? "" : ", ") + ("\"" + name + "\"");
            FT_Done_Face(candidate);
        }
    }
    if (!face) {
        FT_Done_FreeType(library);
        throw std::runtime_error(path + ": no face named \"" + family + "\" (faces: " + seen + ")");
    }

    int strike = -1;
    std::string sizes;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        const FT_Bitmap_Size& size = face->available_sizes[i];
        if (size.y_ppem == pixels * 64) strike = i;
        sizes += (sizes.empty() ? "" : ", ") + std::to_string((size.y_ppem + 32) / 64);
    }
    if (strike < 0 || FT_Select_Size(face, strike)) {
        const std::string message = path + ": no " + std::to_string(pixels) + "-pixel bitmap strike (strikes: " +
                                    (sizes.empty() ? "none" : sizes) + ")";
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw std::runtime_error(message);
    }
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE)) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        throw std::runtime_error(path + ": no Unicode character map");
    }
    ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
}

FontStrike::~FontStrike() {
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

Cell FontStrike::Render(unsigned long codePoint, int width, int height) const {
    Cell cell;
    cell.width = width;
    cell.height = height;
    cell.ink.assign(static_cast<size_t>(width) * height, false);
    const FT_UInt index = FT_Get_Char_Index(face, codePoint);
    if (index == 0) return cell;
    // Only the strike's own bitmaps: without SBITS_ONLY an outline font
    // quietly renders its outline where the strike lacks a glyph.
    if (FT_Load_Glyph(face, index, FT_LOAD_SBITS_ONLY | FT_LOAD_RENDER | FT_LOAD_TARGET_MONO)) return cell;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return cell;

    // Bitmaps are cropped to their ink: bitmap_left and bitmap_top place them
    // against the pen position and the baseline.
    const int top = ascent - slot->bitmap_top;
    const int left = slot->bitmap_left;
    for (unsigned r = 0; r < bitmap.rows; ++r) {
        const int y = top + static_cast<int>(r);
        if (y < 0 || y >= height) continue;
        const unsigned char* row = bitmap.buffer + static_cast<long>(r) * bitmap.pitch;
        for (unsigned c = 0; c < bitmap.width; ++c) {
            const int x = left + static_cast<int>(c);
            if (x < 0 || x >= width) continue;
            const bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[c >> 3] & (0x80 >> (c & 7))) != 0
                                                                     : row[c] >= 128;
            if (ink) cell.ink[static_cast<size_t>(y) * width + x] = true;
        }
    }
    return cell;
}

} // namespace fontconv
