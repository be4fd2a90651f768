#pragma once
// Plays back a recording of the real game headless, through the game's own
// menu choice, event handling and frame update, and tells for each play of a
// level how it ended, at which tick and with which world hash, and whether
// that is what the game itself recorded. Prints each play's timeline as the
// lab prints a plan's.

#include <cstdio>
#include <iosfwd>
#include <optional>
#include <string>

struct ReplayOptions
{
    std::optional<float> at;            // save the board this many seconds into each play
    std::string picturePrefix = "replay";
    bool checkMaps = true;              // refuse a level whose map here differs from the recorded one
    bool printTimelines = true;
    long maxFrames = -1;                // stop after this many frames (negative: no limit)
    std::FILE* out = stdout;            // where the plays' ends are told
    std::FILE* errors = stderr;         // and why a recording is refused
};

// The recording is read to its end first: a damaged file, a later format or
// another map is refused with one line on standard error. Returns the exit
// status: 0 when every play ended as recorded, 1 when the recording is
// refused or a play went another way.
int replayRecording(const std::string& path, const ReplayOptions& options);
// The same from a stream that can be read twice (tests, the fuzzer).
int replayRecording(std::istream& in, const std::string& name, const ReplayOptions& options);

// The program's state as the game starts: the seeded engine, no pause, no
// tool, the menu, an empty World and no level loaded before.
void resetToProgramStart();
