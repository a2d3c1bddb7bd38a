// Frame-sized buffers shared by the benchmarks: a background picture, the
// work buffer and a spare, 64-byte aligned like a cache line.
#pragma once

#include "pixels/pixel_format.h"

namespace bench {

struct FrameBuffers {
    WORD* background;
    WORD* work;
    WORD* spare;
};

// Allocated and filled once; the background is a smooth gradient with a few
// black pixels so that the skip mode has something to skip.
FrameBuffers& Buffers();

// The pixel layout for a run: sets g_b565 and installs the masks (which also
// selects the best fill loop again).
void UseLayout(bool rgb565);

} // namespace bench
