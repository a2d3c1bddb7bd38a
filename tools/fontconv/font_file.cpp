// FreeType can read .pcf.gz itself, but it inflates again from the start on
// every backward seek, which makes a large font crawl; inflating once into
// memory avoids that. zlib passes plain files through unchanged.
#include "tools/fontconv/font_file.h"

#include <zlib.h>

#include <stdexcept>

namespace fontconv {

std::vector<unsigned char> ReadFontFile(const std::string& path) {
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error(path + ": cannot open");
    std::vector<unsigned char> bytes;
    unsigned char chunk[1 << 16];
    for (;;) {
        const int n = gzread(file, chunk, sizeof chunk);
        if (n < 0) {
            gzclose(file);
            throw std::runtime_error(path + ": cannot read");
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    gzclose(file);
    return bytes;
}

} // namespace fontconv
