// Big5 codes to Unicode code points through glibc's iconv.
#pragma once

#include <iconv.h>

namespace fontconv {

class Big5ToUnicode {
public:
    Big5ToUnicode(); // throws std::runtime_error when iconv lacks Big5
    ~Big5ToUnicode();
    Big5ToUnicode(const Big5ToUnicode&) = delete;
    Big5ToUnicode& operator=(const Big5ToUnicode&) = delete;

    // The code point of the two-byte code lead:trail, or 0 when it has none
    // (unassigned, or only a private-use one).
    unsigned long Map(unsigned char lead, unsigned char trail) const;

private:
    iconv_t big5;
    iconv_t hkscs;
};

} // namespace fontconv
