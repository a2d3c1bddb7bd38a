// Shared by the wide row loops: whether this build targets x86, where they
// exist. Elsewhere each of them hands its job to the plain pair loop and is
// never selected.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#define QUORVEL_X86_SIMD 1
#include <immintrin.h>
#else
#define QUORVEL_X86_SIMD 0
#endif
