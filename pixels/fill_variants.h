// The row loops behind FillAlphaRect. The plain pair loop is the reference;
// the SSE2, AVX2 and AVX-512BW loops give exactly its pixels, faster. One of
// them is chosen at start-up from what the processor offers (SetupPixelMasks
// asks for that); tests and the benchmark may force any supported one.
#pragma once

#include "platform/win32_api.h"

// One call of the fill after clipping: where the rectangle lies and the
// colour's parts that stay constant over the whole call.
struct FillJob {
    BYTE* first;   // the rectangle's top-left pixel
    LONG pitch;    // bytes from one row to the next
    LONG width;    // pixels per row, at least 1
    LONG height;   // rows, at least 1
    DWORD maskA;   // g_dwPairMaskA
    DWORD maskB;   // g_dwPairMaskB
    DWORD colorA;  // (P AND A) * a, P the colour's pixel in both halves
    DWORD colorB;  // ((P AND B) >> 5) * a
    DWORD weight;  // 31 - a, the destination's weight
    WORD pixel;    // the colour's pixel
    DWORD alpha;   // a, 0..31
    bool rgb565;   // layout of buffer and pixel
    bool skip;     // destination pixels that are 0 stay 0
};

// Builds the job for a clipped rectangle, reading the installed masks.
FillJob MakeFillJob(BYTE* first, LONG pitch, LONG width, LONG height, DWORD color, bool skip);

// The pair rule on one 32-bit word of two pixels (left pixel in the low half).
// The low half of the result depends only on the low half of d, so a single
// pixel blends as the low half of a word whose high half is 0.
inline DWORD BlendPair(DWORD d, const FillJob& job) {
    DWORD r = ((((d & job.maskA) * job.weight + job.colorA) >> 5) & job.maskA) |
              ((((d & job.maskB) >> 5) * job.weight + job.colorB) & job.maskB);
    if (job.skip) {
        const DWORD keep = ((d & 0xFFFFu) ? 0x0000FFFFu : 0u) | ((d >> 16) ? 0xFFFF0000u : 0u);
        r &= keep; // a zero half of d stays zero
    }
    return r;
}

// Blends `pixels` pixels of one row starting at p with the pair rule: pairs
// from the left, then an odd last pixel on its own.
void FillRowPairs(BYTE* p, LONG pixels, const FillJob& job);

enum class FillVariant { Pair, Sse2, Avx2, Avx512 };
constexpr FillVariant ALL_FILL_VARIANTS[] = {FillVariant::Pair, FillVariant::Sse2, FillVariant::Avx2,
                                             FillVariant::Avx512};

// The row loops themselves, each over the whole job.
void FillRowsPair(const FillJob& job);
void FillRowsSse2(const FillJob& job);
void FillRowsAvx2(const FillJob& job);
void FillRowsAvx512(const FillJob& job);

const char* FillVariantName(FillVariant variant);
// Whether this build has the variant and this processor can run it.
bool FillVariantSupported(FillVariant variant);
// The fastest supported variant.
FillVariant BestFillVariant();
// Makes FillAlphaRect use the variant; an unsupported one is refused (false).
bool SelectFillVariant(FillVariant variant);
FillVariant SelectedFillVariant();
// Runs the selected variant on the job.
void RunFill(const FillJob& job);
