// The pixel routines against the memory floor and against the libraries a
// user would pick instead: pixman and SDL2.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <SDL.h>

#include <cstring>
#include <string>

#include "bench/bench_buffers.h"
#include "pixels/blit.h"
#include "pixels/fill.h"
#include "pixels/fill_variants.h"
#include "tests/fake/fake_platform.h"

namespace {

using bench::Buffers;

constexpr DWORD FRAME_TINT = 0x7DFF0000;  // red at level 15 of 31
constexpr BYTE TINT_ALPHA = 0x7D;

void BM_Memcpy(benchmark::State& state, int copies) {
    auto& b = Buffers();
    for (auto _ : state) {
        std::memcpy(b.work, b.background, WORK_BYTES);
        if (copies > 1) std::memcpy(b.spare, b.work, WORK_BYTES);
        if (copies > 2) std::memcpy(b.work, b.spare, WORK_BYTES);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * copies * static_cast<int64_t>(WORK_BYTES));
}

void BM_BlitRect(benchmark::State& state) {
    auto& b = Buffers();
    const RECT all{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    for (auto _ : state) {
        BlitRect(b.work, WORK_PITCH, 0, 0, b.background, &all, WORK_PITCH);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WORK_BYTES));
}

void BM_PresentBuffer(benchmark::State& state) {
    fake::Reset();
    fake::Surface* back = fake::MakeSurface("back", SCREEN_WIDTH, SCREEN_HEIGHT, WORK_PITCH, fake::Layout::RGB565);
    auto& b = Buffers();
    auto& log = fake::state().log;
    log.reserve(4096);
    for (auto _ : state) {
        PresentBuffer(back, b.work, SCREEN_WIDTH, SCREEN_HEIGHT);
        benchmark::ClobberMemory();
        if (log.size() > 4000) log.clear();  // the fake logs each call; keep it small
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WORK_BYTES));
    fake::Reset();
}

void BM_Fill(benchmark::State& state, FillVariant variant, bool rgb565, DWORD skip) {
    bench::UseLayout(rgb565);
    if (!SelectFillVariant(variant)) {
        state.SkipWithError("not supported on this processor");
        return;
    }
    auto& b = Buffers();
    std::memcpy(b.work, b.background, WORK_BYTES);
    for (auto _ : state) {
        FillAlphaRect(b.work, WORK_PITCH, SCREEN_WIDTH, SCREEN_HEIGHT, 0, 0, FRAME_TINT, skip);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WORK_BYTES));
    bench::UseLayout(true);
}

void BM_PixmanOver(benchmark::State& state) {
    auto& b = Buffers();
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_r5g6b5, SCREEN_WIDTH, SCREEN_HEIGHT,
                                                   reinterpret_cast<uint32_t*>(b.work), WORK_PITCH);
    const uint16_t alpha = TINT_ALPHA * 0x101;
    const pixman_color_t red{alpha, 0, 0, alpha};  // premultiplied
    pixman_image_t* solid = pixman_image_create_solid_fill(&red);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, dst, 0, 0, 0, 0, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(solid);
    pixman_image_unref(dst);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WORK_BYTES));
}

void BM_Sdl2BlendedBlit(benchmark::State& state) {
    auto& b = Buffers();
    SDL_Surface* dst =
        SDL_CreateRGBSurfaceWithFormatFrom(b.work, SCREEN_WIDTH, SCREEN_HEIGHT, 16, WORK_PITCH, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormat(0, SCREEN_WIDTH, SCREEN_HEIGHT, 16, SDL_PIXELFORMAT_RGB565);
    if (!dst || !src) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_FillRect(src, nullptr, 0xF800);
    SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(src, TINT_ALPHA);
    for (auto _ : state) {
        SDL_BlitSurface(src, nullptr, dst, nullptr);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(src);
    SDL_FreeSurface(dst);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(WORK_BYTES));
}

} // namespace

namespace bench {

void RegisterPixelBenchmarks() {
    benchmark::RegisterBenchmark("memcpy/1x", BM_Memcpy, 1)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("memcpy/3x", BM_Memcpy, 3)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BlitRect", BM_BlitRect)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PresentBuffer", BM_PresentBuffer)->Unit(benchmark::kMicrosecond);
    for (FillVariant v : ALL_FILL_VARIANTS)
        for (bool rgb565 : {true, false})
            for (DWORD skip : {0u, 1u}) {
                std::string name = std::string("FillAlphaRect/") + FillVariantName(v) + (rgb565 ? "/565" : "/555");
                if (skip) name += "/skip";
                benchmark::RegisterBenchmark(name.c_str(), BM_Fill, v, rgb565, skip)->Unit(benchmark::kMicrosecond);
            }
    benchmark::RegisterBenchmark("pixman/OVER_solid_r5g6b5", BM_PixmanOver)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("SDL2/blended_blit_RGB565", BM_Sdl2BlendedBlit)->Unit(benchmark::kMicrosecond);
}

} // namespace bench
