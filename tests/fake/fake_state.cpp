// The fake layer's state, its log and its reset.
#include <algorithm>

#include "tests/fake/fake_platform.h"

namespace fake {

State& state() {
    static State s;
    return s;
}

void Reset() { state() = State(); }

void Log(const std::string& entry) { state().log.push_back(entry); }

int State::Count(const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

WORD ColorRefToPixel(COLORREF c, Layout layout) {
    DWORD r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    if (layout == Layout::RGB565) return static_cast<WORD>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
    return static_cast<WORD>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

COLORREF PixelToColorRef(WORD p, Layout layout) {
    DWORD r, g, b;
    if (layout == Layout::RGB565) {
        r = (p >> 11) & 31;
        g = (p >> 5) & 63;
        b = p & 31;
        g = (g << 2) | (g >> 4);
    } else {
        r = (p >> 10) & 31;
        g = (p >> 5) & 31;
        b = p & 31;
        g = (g << 3) | (g >> 2);
    }
    r = (r << 3) | (r >> 2);
    b = (b << 3) | (b >> 2);
    return r | (g << 8) | (b << 16);
}

} // namespace fake
