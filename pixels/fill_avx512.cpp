// AVX-512BW row loop: the pair rule on sixteen pairs per 512-bit register.
// The end of a row is done with a masked load and store, an odd last pixel
// included: it sits in the low half of a word whose high half loads as 0,
// and the low half of the pair rule depends on the low pixel alone. In skip
// mode the store leaves out the pixels that were 0.
#include "pixels/fill_simd.h"
#include "pixels/fill_variants.h"

#include <cstdint>

#if QUORVEL_X86_SIMD

// GCC 12 takes the "undefined" pass-through operand inside the shift
// intrinsics for an uninitialised read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace {

struct Avx512Consts {
    __m512i maskA, maskB5, notB, colorA, colorB, weight;
};

// The pair rule with its final "AND A, AND B, OR" as one bit select: every
// bit outside mask B comes from the A half, which is 0 wherever mask A is 0
// and mask B is too (bit 15 of each RGB555 pixel), so selecting by NOT B
// gives the same word as masking both halves.
__attribute__((target("avx512f,avx512bw"), always_inline)) inline __m512i Blend(__m512i d, const Avx512Consts& k) {
    const __m512i ra =
        _mm512_srli_epi32(_mm512_add_epi32(_mm512_mullo_epi32(_mm512_and_si512(d, k.maskA), k.weight), k.colorA), 5);
    const __m512i rb =
        _mm512_add_epi32(_mm512_mullo_epi32(_mm512_and_si512(_mm512_srli_epi32(d, 5), k.maskB5), k.weight), k.colorB);
    return _mm512_ternarylogic_epi32(k.notB, ra, rb, 0xCA);  // notB ? ra : rb, bit by bit
}

} // namespace

__attribute__((target("avx512f,avx512bw"))) void FillRowsAvx512(const FillJob& job) {
    Avx512Consts k;
    k.maskA = _mm512_set1_epi32(static_cast<int>(job.maskA));
    k.notB = _mm512_set1_epi32(static_cast<int>(~job.maskB));
    k.maskB5 = _mm512_set1_epi32(static_cast<int>(job.maskB >> 5));
    k.colorA = _mm512_set1_epi32(static_cast<int>(job.colorA));
    k.colorB = _mm512_set1_epi32(static_cast<int>(job.colorB));
    k.weight = _mm512_set1_epi32(static_cast<int>(job.weight));
    const __mmask32 all = ~__mmask32{0};

    BYTE* row = job.first;
    for (LONG y = 0; y < job.height; ++y, row += job.pitch) {
        BYTE* p = row;
        LONG left = job.width;
        // A masked head up to the next 64-byte boundary keeps every full
        // load and store inside one cache line.
        const LONG head = static_cast<LONG>((64 - (reinterpret_cast<uintptr_t>(p) & 63)) & 63) / 2;
        if (head && head < left && !(reinterpret_cast<uintptr_t>(p) & 1)) {
            const __mmask32 m = static_cast<__mmask32>(all >> (32 - head));
            const __m512i d = _mm512_maskz_loadu_epi16(m, p);
            const __mmask32 store = job.skip ? (m & _mm512_test_epi16_mask(d, d)) : m;
            _mm512_mask_storeu_epi16(p, store, Blend(d, k));
            p += 2 * head;
            left -= head;
        }
        if (job.skip) {
            for (; left >= 32; left -= 32, p += 64) {
                const __m512i d = _mm512_loadu_si512(p);
                _mm512_mask_storeu_epi16(p, _mm512_test_epi16_mask(d, d), Blend(d, k));
            }
        } else {
            for (; left >= 64; left -= 64, p += 128) {
                const __m512i d0 = _mm512_loadu_si512(p);
                const __m512i d1 = _mm512_loadu_si512(p + 64);
                _mm512_storeu_si512(p, Blend(d0, k));
                _mm512_storeu_si512(p + 64, Blend(d1, k));
            }
            for (; left >= 32; left -= 32, p += 64) _mm512_storeu_si512(p, Blend(_mm512_loadu_si512(p), k));
        }
        if (left) {
            const __mmask32 tail = static_cast<__mmask32>(all >> (32 - left));
            const __m512i d = _mm512_maskz_loadu_epi16(tail, p);
            const __mmask32 store = job.skip ? (tail & _mm512_test_epi16_mask(d, d)) : tail;
            _mm512_mask_storeu_epi16(p, store, Blend(d, k));
        }
    }
}

#else

void FillRowsAvx512(const FillJob& job) { FillRowsPair(job); }

#endif
