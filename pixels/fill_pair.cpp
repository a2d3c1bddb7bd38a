// The plain pair loop: one 32-bit load, the pair rule and one 32-bit store
// per two pixels. It is the reference for the wider loops and the fallback
// where none of them runs.
#include <cstring>

#include "pixels/fill_variants.h"

void FillRowPairs(BYTE* p, LONG pixels, const FillJob& job) {
    const LONG pairs = pixels / 2;
    for (LONG i = 0; i < pairs; ++i, p += 4) {
        DWORD d;
        std::memcpy(&d, p, 4); // pairs need not be 4-byte aligned
        const DWORD r = BlendPair(d, job);
        std::memcpy(p, &r, 4);
    }
    if (pixels & 1) {
        WORD last;
        std::memcpy(&last, p, 2);
        const WORD r = static_cast<WORD>(BlendPair(last, job));
        std::memcpy(p, &r, 2);
    }
}

void FillRowsPair(const FillJob& job) {
    BYTE* row = job.first;
    for (LONG y = 0; y < job.height; ++y, row += job.pitch) FillRowPairs(row, job.width, job);
}
