// AVX2 row loop: the pair rule as it stands, on eight pairs per 256-bit
// register. The colour's products are constant per call, so each word costs
// two multiplications, two additions and a few masks and shifts.
#include "pixels/fill_simd.h"
#include "pixels/fill_variants.h"

#if QUORVEL_X86_SIMD

__attribute__((target("avx2"))) void FillRowsAvx2(const FillJob& job) {
    const __m256i maskA = _mm256_set1_epi32(static_cast<int>(job.maskA));
    const __m256i maskB = _mm256_set1_epi32(static_cast<int>(job.maskB));
    const __m256i maskB5 = _mm256_set1_epi32(static_cast<int>(job.maskB >> 5));
    const __m256i colorA = _mm256_set1_epi32(static_cast<int>(job.colorA));
    const __m256i colorB = _mm256_set1_epi32(static_cast<int>(job.colorB));
    const __m256i weight = _mm256_set1_epi32(static_cast<int>(job.weight));
    const __m256i zero = _mm256_setzero_si256();

    BYTE* row = job.first;
    for (LONG y = 0; y < job.height; ++y, row += job.pitch) {
        BYTE* p = row;
        LONG left = job.width;
        for (; left >= 16; left -= 16, p += 32) {
            const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
            const __m256i ra = _mm256_and_si256(
                _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(d, maskA), weight), colorA), 5),
                maskA);
            const __m256i rb = _mm256_and_si256(
                _mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(_mm256_srli_epi32(d, 5), maskB5), weight), colorB),
                maskB);
            __m256i r = _mm256_or_si256(ra, rb);
            if (job.skip) r = _mm256_andnot_si256(_mm256_cmpeq_epi16(d, zero), r);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), r);
        }
        if (left) FillRowPairs(p, left, job);
    }
}

#else

void FillRowsAvx2(const FillJob& job) { FillRowsPair(job); }

#endif
