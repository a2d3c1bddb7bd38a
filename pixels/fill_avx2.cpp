// AVX2 row loop: the pair rule as it stands, on eight pairs per 256-bit
// register. The colour's products are constant per call, so each word costs
// two multiplications, two additions and a few masks and shifts.
#include "pixels/fill_simd.h"
#include "pixels/fill_variants.h"

#if QUORVEL_X86_SIMD

namespace {

struct Avx2Consts {
    __m256i maskA, maskB, maskB5, colorA, colorB, weight;
};

__attribute__((target("avx2"), always_inline)) inline __m256i Blend(__m256i d, const Avx2Consts& k) {
    const __m256i ra = _mm256_and_si256(
        _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(d, k.maskA), k.weight), k.colorA), 5),
        k.maskA);
    const __m256i rb = _mm256_and_si256(
        _mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(_mm256_srli_epi32(d, 5), k.maskB5), k.weight), k.colorB),
        k.maskB);
    return _mm256_or_si256(ra, rb);
}

} // namespace

__attribute__((target("avx2"))) void FillRowsAvx2(const FillJob& job) {
    Avx2Consts k;
    k.maskA = _mm256_set1_epi32(static_cast<int>(job.maskA));
    k.maskB = _mm256_set1_epi32(static_cast<int>(job.maskB));
    k.maskB5 = _mm256_set1_epi32(static_cast<int>(job.maskB >> 5));
    k.colorA = _mm256_set1_epi32(static_cast<int>(job.colorA));
    k.colorB = _mm256_set1_epi32(static_cast<int>(job.colorB));
    k.weight = _mm256_set1_epi32(static_cast<int>(job.weight));
    const __m256i zero = _mm256_setzero_si256();

    BYTE* row = job.first;
    for (LONG y = 0; y < job.height; ++y, row += job.pitch) {
        BYTE* p = row;
        LONG left = job.width;
        if (job.skip) {
            for (; left >= 16; left -= 16, p += 32) {
                const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
                const __m256i r = _mm256_andnot_si256(_mm256_cmpeq_epi16(d, zero), Blend(d, k));
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), r);
            }
        } else {
            for (; left >= 32; left -= 32, p += 64) {
                const __m256i d0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
                const __m256i d1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), Blend(d0, k));
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + 32), Blend(d1, k));
            }
            for (; left >= 16; left -= 16, p += 32) {
                const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), Blend(d, k));
            }
        }
        if (left) FillRowPairs(p, left, job);
    }
}

#else

void FillRowsAvx2(const FillJob& job) { FillRowsPair(job); }

#endif
