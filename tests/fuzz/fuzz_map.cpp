// libFuzzer entry: every input is a level file, read, checked and, when
// accepted, played (see map_exercise.h). Built only by scripts/fuzz, with
// clang and -fsanitize=fuzzer,address,undefined.

#include "map_exercise.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string_view>

namespace {
int maxTicks = 200; // FUZZ_TICKS changes it
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The loader explains every refusal on the error stream; millions of
    // refusals would drown the fuzzer's own report.
    std::cerr.rdbuf(nullptr);
    if (const char* ticks = std::getenv("FUZZ_TICKS"))
        maxTicks = std::atoi(ticks);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    exerciseMap(std::string_view(reinterpret_cast<const char*>(data), size), maxTicks);
    return 0;
}
