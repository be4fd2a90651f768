// libFuzzer entry: every input is a sound file, checked as the game checks
// sound/*.wav and, when accepted, read by the library (see
// data_file_exercise.h). Built only by scripts/fuzz.

#include "data_file_exercise.h"

#include <SFML/System/Err.hpp>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The library's complaint about each sound it cannot read would drown
    // the fuzzer's own report.
    sf::err().rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    exerciseSound(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
