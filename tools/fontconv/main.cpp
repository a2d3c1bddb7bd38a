// fontconv: writes the program's font files from a bitmap font.
//   fontconv em <font> <output> [family]   6x12 cells, codes 32 to 159
//   fontconv cm <font> <output> [family]   12x12 cells, Big5 lead bytes 0xA1 to 0xF9
// Characters the font lacks get empty records, so every record keeps its place.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "tools/fontconv/big5_unicode.h"
#include "tools/fontconv/font_strike.h"
#include "tools/fontconv/glyph_record.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Append(Bytes& out, const Bytes& record) {
    out.insert(out.end(), record.begin(), record.end());
}

// Codes 32 to 159 stand for the same code points.
Bytes SingleByteFont(const fontconv::FontStrike& strike) {
    Bytes out;
    for (unsigned long code = 32; code < 160; ++code) Append(out, fontconv::PackCell(strike.Render(code, 6, 12)));
    return out;
}

// 157 records per lead byte: trail bytes 0x40-0x7E, then 0xA1-0xFE.
Bytes DoubleByteFont(const fontconv::FontStrike& strike) {
    const fontconv::Big5ToUnicode big5;
    const fontconv::Cell empty{12, 12, std::vector<bool>(144, false)};
    Bytes out;
    for (int lead = 0xA1; lead <= 0xF9; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail > 0x7E && trail < 0xA1) continue;
            const unsigned long cp = big5.Map(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            Append(out, fontconv::PackCell(cp ? strike.Render(cp, 12, 12) : empty));
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc > 5 || (std::string(argv[1]) != "em" && std::string(argv[1]) != "cm")) {
        std::fprintf(stderr, "usage: fontconv em|cm <font file> <output file> [family name]\n");
        return 2;
    }
    const bool single = std::string(argv[1]) == "em";
    try {
        const fontconv::FontStrike strike(argv[2], argc == 5 ? argv[4] : "", 12);
        const Bytes out = single ? SingleByteFont(strike) : DoubleByteFont(strike);
        std::ofstream file(argv[3], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
        if (!file.flush()) {
            std::fprintf(stderr, "fontconv: %s: cannot write\n", argv[3]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fontconv: %s\n", e.what());
        return 1;
    }
    return 0;
}
