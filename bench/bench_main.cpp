// Runs every benchmark, then prints the ratios that tell how close a frame
// comes to the memory floor and how far ahead of the libraries it stays.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "pixels/fill_variants.h"

namespace bench {
void RegisterPixelBenchmarks();
void RegisterFrameBenchmarks();  // the frame and read-out, where they are built
void PrintFrameNotes();
} // namespace bench

namespace {

// The console table as usual, and each benchmark's CPU time (the median when
// repetitions are asked for) kept by name. CPU time, because on a shared
// machine the wall clock also counts the time other processes had the core.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter()
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median") continue;
            const std::string name = run.run_name.str();
            if (!aggregate && times_.count(name) && medians_.count(name)) continue;
            times_[name] = run.GetAdjustedCPUTime();
            if (aggregate) medians_[name] = true;
        }
    }

    // Prints a / b when both were measured.
    void Ratio(const char* what, const std::string& a, const std::string& b, const char* target) const {
        auto ia = times_.find(a), ib = times_.find(b);
        if (ia == times_.end() || ib == times_.end() || ib->second <= 0) return;
        std::printf("  %-44s %7.2f   (%s)\n", what, ia->second / ib->second, target);
    }
    bool Has(const std::string& name) const { return times_.count(name) != 0; }

private:
    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

void PrintRatios(const RatioReporter& r) {
    const std::string best = std::string("FillAlphaRect/") + FillVariantName(BestFillVariant()) + "/565";
    std::printf("\nRatios of CPU times (fill = %s, the loop this processor gets)\n", best.c_str());
    r.Ratio("fill / one memcpy", best, "memcpy/1x", "target <= 1.0 with AVX-512");
    r.Ratio("pixman OVER / fill", "pixman/OVER_solid_r5g6b5", best, "target >= 15");
    r.Ratio("SDL2 blended blit / fill", "SDL2/blended_blit_RGB565", best, "target >= 8");
    r.Ratio("BlitRect / one memcpy", "BlitRect", "memcpy/1x", "a copy is a copy: ~1.0");
    r.Ratio("PresentBuffer / one memcpy", "PresentBuffer", "memcpy/1x", "~1.0");
    for (FillVariant v : ALL_FILL_VARIANTS) {
        const std::string fill = std::string("FillAlphaRect/") + FillVariantName(v) + "/565";
        const std::string what = std::string(FillVariantName(v)) + " fill / one memcpy";
        r.Ratio(what.c_str(), fill, "memcpy/1x", "");
    }
    for (FillVariant v : ALL_FILL_VARIANTS) {
        const std::string frame = std::string("UpdateFrame/") + FillVariantName(v);
        const std::string what = std::string("frame (") + FillVariantName(v) + ") / three memcpy";
        const char* target = v == FillVariant::Avx512 ? "target <= 1.0" : v == FillVariant::Avx2 ? "target <= 1.25" : "";
        r.Ratio(what.c_str(), frame, "memcpy/3x", target);
    }
    bool anyFrame = false;
    for (FillVariant v : ALL_FILL_VARIANTS) anyFrame |= r.Has(std::string("UpdateFrame/") + FillVariantName(v));
    if (!anyFrame) std::printf("  (no whole-frame figures in this run)\n");
}

} // namespace

int main(int argc, char** argv) {
    bench::RegisterPixelBenchmarks();
    bench::RegisterFrameBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    bench::PrintFrameNotes();
    benchmark::Shutdown();
    return 0;
}
