// SSE2 row loop. SSE2 has no 32-bit multiply, so each pixel's three channels
// are blended in 16-bit lanes, eight pixels at a time:
//   channel = floor((c*a + d*(31-a)) / 32)
// which is exactly what the pair rule gives. Every intermediate stays below
// 65536: green is blended in place (at most 63*31 << 5 = 62496), red after
// moving it down to bit 0.
#include "pixels/fill_simd.h"
#include "pixels/fill_variants.h"

#if QUORVEL_X86_SIMD

__attribute__((target("sse2"))) void FillRowsSse2(const FillJob& job) {
    const int redShift = job.rgb565 ? 11 : 10;
    const int greenMask = job.rgb565 ? 0x07E0 : 0x03E0;
    const int redMask = job.rgb565 ? 0xF800 : 0x7C00;
    const int a = static_cast<int>(job.alpha);
    const __m128i blueC = _mm_set1_epi16(static_cast<short>((job.pixel & 0x1F) * a));
    const __m128i greenC = _mm_set1_epi16(static_cast<short>((job.pixel & greenMask) * a));
    const __m128i redC = _mm_set1_epi16(static_cast<short>(((job.pixel >> redShift) & 0x1F) * a));
    const __m128i weight = _mm_set1_epi16(static_cast<short>(job.weight));
    const __m128i five = _mm_set1_epi16(0x1F);
    const __m128i greenM = _mm_set1_epi16(static_cast<short>(greenMask));
    const __m128i redM = _mm_set1_epi16(static_cast<short>(redMask));
    const __m128i redDown = _mm_cvtsi32_si128(redShift);
    const __m128i redUp = _mm_cvtsi32_si128(redShift - 5);
    const __m128i zero = _mm_setzero_si128();

    BYTE* row = job.first;
    for (LONG y = 0; y < job.height; ++y, row += job.pitch) {
        BYTE* p = row;
        LONG left = job.width;
        for (; left >= 8; left -= 8, p += 16) {
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i blue =
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(d, five), weight), blueC), 5);
            const __m128i green = _mm_and_si128(
                _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(d, greenM), weight), greenC), 5), greenM);
            const __m128i redD = _mm_and_si128(_mm_srl_epi16(d, redDown), five);
            const __m128i red =
                _mm_and_si128(_mm_sll_epi16(_mm_add_epi16(_mm_mullo_epi16(redD, weight), redC), redUp), redM);
            __m128i r = _mm_or_si128(_mm_or_si128(blue, green), red);
            if (job.skip) r = _mm_andnot_si128(_mm_cmpeq_epi16(d, zero), r);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), r);
        }
        if (left) FillRowPairs(p, left, job);
    }
}

#else

void FillRowsSse2(const FillJob& job) { FillRowsPair(job); }

#endif
