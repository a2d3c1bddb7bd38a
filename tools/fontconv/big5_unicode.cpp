#include "tools/fontconv/big5_unicode.h"

#include <stdexcept>

namespace fontconv {

namespace {

bool PrivateUse(unsigned long cp) {
    return (cp >= 0xE000 && cp <= 0xF8FF) || cp >= 0xF0000;
}

// Converts one character from the start state; 0 unless it gives exactly
// one code point.
unsigned long ConvertOne(iconv_t cd, unsigned char lead, unsigned char trail) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char* inPtr = in;
    size_t inLeft = sizeof in;
    unsigned char out[16];
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return 0;
    // A stateful converter may hold a character back until it is flushed.
    if (iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
    if (sizeof out - outLeft != 4) return 0;
    return out[0] | out[1] << 8 | out[2] << 16 | static_cast<unsigned long>(out[3]) << 24;
}

} // namespace

Big5ToUnicode::Big5ToUnicode() {
    big5 = iconv_open("UTF-32LE", "BIG5");
    hkscs = iconv_open("UTF-32LE", "BIG5-HKSCS");
    if (big5 == reinterpret_cast<iconv_t>(-1) || hkscs == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert from BIG5 and BIG5-HKSCS");
}

Big5ToUnicode::~Big5ToUnicode() {
    iconv_close(big5);
    iconv_close(hkscs);
}

unsigned long Big5ToUnicode::Map(unsigned char lead, unsigned char trail) const {
    unsigned long cp = ConvertOne(big5, lead, trail);
    // Plain Big5 sends C6A1-C8FE to private-use points; HKSCS knows the
    // characters they stand for.
    if (cp && PrivateUse(cp)) cp = ConvertOne(hkscs, lead, trail);
    return cp && !PrivateUse(cp) ? cp : 0;
}

} // namespace fontconv
