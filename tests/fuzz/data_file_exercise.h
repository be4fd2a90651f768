#pragma once
// What the picture and sound fuzzers do with one input, shared by the
// libFuzzer targets and the plain driver that replays their corpora: the
// bytes are written to a file and checked as the game checks image/*.png or
// sound/*.wav; a refused file must come with a reason, and an accepted one
// is read by the library as the game would read it. Reading must end soon
// and within what the check allows: a picture no larger than the check's
// limit, a sound of no more samples than the file has bytes. Anything else
// aborts the process, which the fuzzer records as a crash.

#include <string>
#include <string_view>

struct DataFileExercise
{
    bool accepted = false;
    std::string message; // why the file was refused
    bool read = false;   // whether the library then read it
};

// The checks' limit on a picture's side here: small, so that whatever is
// accepted decodes in a few megabytes.
constexpr unsigned fuzzPictureSide = 2048;

// Pictures: the checksum of every whole chunk is put right first, so the
// fuzzer's changes reach past the checksums into the chunks themselves (and
// for half the inputs the IDAT data is compressed first; see the source).
DataFileExercise exercisePicture(std::string_view input);
DataFileExercise exerciseSound(std::string_view input);
