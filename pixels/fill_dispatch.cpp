// Chooses the fill's row loop. The choice is made once at start-up (from
// SetupPixelMasks); the plain pair loop serves until then and wherever no
// wider loop runs.
#include <initializer_list>

#include "pixels/fill_simd.h"
#include "pixels/fill_variants.h"

namespace {

using RowLoop = void (*)(const FillJob&);

FillVariant g_fillVariant = FillVariant::Pair;
RowLoop g_pfnFillRows = FillRowsPair;

RowLoop LoopOf(FillVariant variant) {
    switch (variant) {
    case FillVariant::Sse2: return FillRowsSse2;
    case FillVariant::Avx2: return FillRowsAvx2;
    case FillVariant::Avx512: return FillRowsAvx512;
    case FillVariant::Pair: break;
    }
    return FillRowsPair;
}

} // namespace

const char* FillVariantName(FillVariant variant) {
    switch (variant) {
    case FillVariant::Pair: return "pair";
    case FillVariant::Sse2: return "sse2";
    case FillVariant::Avx2: return "avx2";
    case FillVariant::Avx512: return "avx512";
    }
    return "?";
}

bool FillVariantSupported(FillVariant variant) {
    if (variant == FillVariant::Pair) return true;
#if QUORVEL_X86_SIMD
    __builtin_cpu_init();
    switch (variant) {
    case FillVariant::Sse2: return __builtin_cpu_supports("sse2");
    case FillVariant::Avx2: return __builtin_cpu_supports("avx2");
    case FillVariant::Avx512: return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    case FillVariant::Pair: break;
    }
#endif
    return false;
}

FillVariant BestFillVariant() {
    for (FillVariant v : {FillVariant::Avx512, FillVariant::Avx2, FillVariant::Sse2})
        if (FillVariantSupported(v)) return v;
    return FillVariant::Pair;
}

bool SelectFillVariant(FillVariant variant) {
    if (!FillVariantSupported(variant)) return false;
    g_fillVariant = variant;
    g_pfnFillRows = LoopOf(variant);
    return true;
}

FillVariant SelectedFillVariant() { return g_fillVariant; }

void RunFill(const FillJob& job) {
    // A pixel's result depends on that pixel alone, so rows that lie back to
    // back are one long row for the wide loops.
    if (g_fillVariant != FillVariant::Pair && job.pitch == 2 * job.width && job.height > 1) {
        FillJob run = job;
        run.width = job.width * job.height;
        run.height = 1;
        g_pfnFillRows(run);
        return;
    }
    g_pfnFillRows(job);
}
