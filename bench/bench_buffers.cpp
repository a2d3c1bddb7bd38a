#include "bench/bench_buffers.h"

#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

WORD* AllocFrame() { return static_cast<WORD*>(std::aligned_alloc(64, WORK_BYTES)); }

} // namespace

FrameBuffers& Buffers() {
    static FrameBuffers buffers = [] {
        FrameBuffers b{AllocFrame(), AllocFrame(), AllocFrame()};
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x) {
                const int i = y * SCREEN_WIDTH + x;
                b.background[i] = (i % 97 == 0) ? 0 : static_cast<WORD>(((x >> 2) << 11) | ((y >> 3) << 5) | ((x + y) & 31));
            }
        std::memcpy(b.work, b.background, WORK_BYTES);
        std::memcpy(b.spare, b.background, WORK_BYTES);
        return b;
    }();
    return buffers;
}

void UseLayout(bool rgb565) {
    g_b565 = rgb565 ? 1 : 0;
    SetupPixelMasks();
}

} // namespace bench
