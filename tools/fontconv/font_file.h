// Reads a font file whole into memory, inflating it when it is gzip data.
#pragma once

#include <string>
#include <vector>

namespace fontconv {

// The bytes of `path`, inflated if it is a .gz file; throws
// std::runtime_error when it cannot be read.
std::vector<unsigned char> ReadFontFile(const std::string& path);

} // namespace fontconv
