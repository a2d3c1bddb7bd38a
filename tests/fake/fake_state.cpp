// The fake layer's state, its log and its reset.
#include <algorithm>

#include "platform/gdi/color16.h"
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

WORD ColorRefToPixel(COLORREF color, Layout layout) {
    return platform::ColorRefToPixel16(color, layout == Layout::RGB565);
}

COLORREF PixelToColorRef(WORD pixel, Layout layout) {
    return platform::Pixel16ToColorRef(pixel, layout == Layout::RGB565);
}

} // namespace fake
