#pragma once
// What the recording fuzzer does with one input, shared by the libFuzzer
// target and the plain driver that replays its corpus: the bytes are read as
// a recording of the game; a refused one must come with a reason naming its
// line, and an accepted one is played back (whatever maps it names, on the
// shipped ones) for a bounded number of frames. Any broken rule aborts the
// process, which the fuzzer records as a crash.

#include <string>
#include <string_view>

struct RecordingExercise
{
    bool accepted = false;
    std::string message; // why the recording was refused
    int status = 0;      // the replay's exit status when accepted
};

RecordingExercise exerciseRecording(std::string_view input, long maxFrames = 600);
