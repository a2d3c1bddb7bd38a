// The whole frame on a memory display whose flip does not wait, and the
// nine-call read-out on its own; both as the program runs them. Also counts
// the heap allocations of a frame, which must be none.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/bench_buffers.h"
#include "bench/heap_counter.h"
#include "display/background.h"
#include "display/display.h"
#include "frame/frame.h"
#include "pixels/fill_variants.h"
#include "pixels/pixel_format.h"
#include "tests/fake/fake_platform.h"
#include "text/font.h"
#include "text/text.h"

namespace {

constexpr LONG SHOWN_FPS = 12345;  // a plausible read-out: five digits

bool g_realFonts = false;

// Fonts: the real "Em.T" and "Cm.T" when the build made them, else an
// "Em.T" block whose glyphs are half ink, so that the read-out draws.
void LoadReadoutFonts() {
    if (g_pEmFont) return;
#ifdef QUORVEL_FONT_DIR
    const std::string em = std::string(QUORVEL_FONT_DIR) + "/Em.T";
    char here[4096];
    if (access(em.c_str(), R_OK) == 0 && getcwd(here, sizeof here) && chdir(QUORVEL_FONT_DIR) == 0) {
        LoadFonts();
        g_realFonts = g_pEmFont != nullptr;
        if (chdir(here) != 0) std::perror("chdir");
    }
#endif
    if (!g_pEmFont) {
        g_pEmFont = AllocFontBlock(128 * 9);
        for (DWORD i = 0; i < 128 * 9; ++i) g_pEmFont[i] = (i & 1) ? 0x5A : 0xA5;
    }
}

// The program's state after start-up, on fake surfaces in memory.
void SetUpDisplay() {
    fake::Reset();
    fake::state().log.reserve(8192);
    bench::UseLayout(true);
    if (!g_pWork) g_pWork = static_cast<WORD*>(std::aligned_alloc(64, WORK_BYTES));  // as start-up allocates it
    if (!g_pBackground) {
        g_pBackground = static_cast<WORD*>(std::malloc(WORK_BYTES));
        std::memcpy(g_pBackground, bench::Buffers().background, WORK_BYTES);
    }
    fake::Surface* primary = fake::MakeSurface("primary", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    primary->attached = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    g_pDDSPrimary = primary;
    g_pDDSBack = primary->attached;
    LoadReadoutFonts();
    g_nFPS = SHOWN_FPS;
}

void TearDownDisplay() {
    g_pDDSPrimary = nullptr;
    g_pDDSBack = nullptr;
    fake::Reset();
}

// Keeps the fake's call log from growing without end (clearing keeps its
// storage, so no allocation follows).
void TrimLog() {
    auto& log = fake::state().log;
    if (log.size() > 8000) log.clear();
}

void BM_UpdateFrame(benchmark::State& state, FillVariant variant) {
    SetUpDisplay();
    if (!SelectFillVariant(variant)) {
        state.SkipWithError("not supported on this processor");
        TearDownDisplay();
        return;
    }
    for (int i = 0; i < 10; ++i) UpdateFrame();  // warm the caches and the log's storage
    TrimLog();
    const uint64_t before = bench::HeapAllocations();
    for (auto _ : state) {
        UpdateFrame();
        TrimLog();
    }
    state.counters["allocs/frame"] = benchmark::Counter(static_cast<double>(bench::HeapAllocations() - before),
                                                        benchmark::Counter::kAvgIterations);
    TearDownDisplay();
}

void DrawReadout() {
    static const LONG outline[8][2] = {{0, 24}, {0, 25}, {0, 26}, {1, 24}, {1, 26}, {2, 24}, {2, 25}, {2, 26}};
    for (const auto& at : outline) DrawLabelNumber("FPS:", SHOWN_FPS, at[0], at[1], 0x0909FF, g_pWork);
    DrawLabelNumber("FPS:", SHOWN_FPS, 1, 25, 0xFFFFFF, g_pWork);
}

void BM_ReadOut(benchmark::State& state) {
    SetUpDisplay();
    for (auto _ : state) {
        DrawReadout();
        benchmark::ClobberMemory();
    }
    TearDownDisplay();
}

} // namespace

namespace bench {

void RegisterFrameBenchmarks() {
    benchmark::RegisterBenchmark("ReadOut/nine_calls", BM_ReadOut)->Unit(benchmark::kMicrosecond);
    for (FillVariant v : ALL_FILL_VARIANTS) {
        const std::string name = std::string("UpdateFrame/") + FillVariantName(v);
        benchmark::RegisterBenchmark(name.c_str(), BM_UpdateFrame, v)->Unit(benchmark::kMicrosecond);
    }
}

void PrintFrameNotes() {
    SetUpDisplay();
    for (int i = 0; i < 10; ++i) UpdateFrame();
    TrimLog();
    constexpr int FRAMES = 1000;
    uint64_t allocations = 0;
    for (int i = 0; i < FRAMES; ++i) {
        const uint64_t before = HeapAllocations();
        UpdateFrame();
        allocations += HeapAllocations() - before;
        TrimLog();
    }
    std::printf("Heap allocations per frame (%d frames, fill loop %s): %.3f\n", FRAMES,
                FillVariantName(SelectedFillVariant()), static_cast<double>(allocations) / FRAMES);
    std::printf("Read-out fonts: %s\n", g_realFonts ? "Em.T made by the build" : "a made-up Em.T block (half ink)");
    TearDownDisplay();
}

} // namespace bench
