#include "recording_exercise.h"

#include "replay.h"
#include "replay_file.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

RecordingExercise exerciseRecording(std::string_view input, long maxFrames)
{
    RecordingExercise outcome;
    std::istringstream in{std::string(input)};
    outcome.message = checkRecordingText(in);
    if (!outcome.message.empty()) {
        if (outcome.message.rfind("line ", 0) != 0) {
            std::fprintf(stderr, "a refusal that names no line: %s\n", outcome.message.c_str());
            std::abort();
        }
        return outcome;
    }
    outcome.accepted = true;
    in.clear();
    in.seekg(0);
    ReplayOptions options;
    options.checkMaps = false;
    options.printTimelines = false;
    options.maxFrames = maxFrames;
    static std::FILE* const nowhere = std::fopen("/dev/null", "w");
    options.out = nowhere;
    options.errors = nowhere;
    outcome.status = replayRecording(in, "input", options);
    if (outcome.status != 0 && outcome.status != 1)
        std::abort();
    return outcome;
}
