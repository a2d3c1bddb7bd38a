// Stand-in while the frame routine and the text routines are not part of
// this tree: frame_bench.cpp takes its place once frame/frame.cpp and
// text/text.cpp exist (bench/CMakeLists.txt chooses).
#include <cstdio>

namespace bench {
void RegisterFrameBenchmarks() {}
void PrintFrameNotes() { std::printf("Whole frame, read-out and allocations per frame: waiting for frame/ and text/.\n"); }
} // namespace bench
