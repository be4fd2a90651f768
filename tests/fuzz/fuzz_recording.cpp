// libFuzzer entry: every input is a recording of the game, read and played
// back by the level lab's replay (see recording_exercise.h). Built only by
// scripts/fuzz.

#include "recording_exercise.h"

#include <SFML/System/Err.hpp>

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The reasons of refused recordings and the loader's complaints would
    // drown the fuzzer's own report.
    sf::err().rdbuf(nullptr);
    std::cerr.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    exerciseRecording(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
