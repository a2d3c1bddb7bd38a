// Links the picture "BACK" into the program and registers it as a bitmap
// resource. The bytes come straight from the generated file through the
// assembler, so the build does not turn 900 KB into source text.
#include "platform/resources.h"

#ifndef QUORVEL_BACK_FILE
#error "QUORVEL_BACK_FILE must name the generated picture"
#endif

asm(".section .rodata.quorvel_back, \"a\", @progbits\n"
    ".balign 16\n"
    "quorvel_back_begin:\n"
    ".incbin \"" QUORVEL_BACK_FILE "\"\n"
    "quorvel_back_end:\n"
    ".previous\n");

extern "C" const BYTE quorvel_back_begin[];
extern "C" const BYTE quorvel_back_end[];

namespace {

[[maybe_unused]] const bool registered =
    (platform::RegisterEmbeddedResource(
         {"BACK", RT_BITMAP, quorvel_back_begin, static_cast<size_t>(quorvel_back_end - quorvel_back_begin)}),
     true);

} // namespace
