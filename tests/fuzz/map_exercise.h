#pragma once
// What the map fuzzer does with one input, shared by the libFuzzer target and
// the plain driver that replays the corpus: the bytes are read as a level file
// and checked; a refused file must come with a reason, and an accepted one is
// played for a few hundred ticks while a player, steered by the same bytes,
// builds and demolishes. The World's invariants are checked after every tick.
// Any broken rule aborts the process, which the fuzzer records as a crash.

#include <string>
#include <string_view>

struct MapExercise
{
    bool loaded = false;
    std::string message; // why the map was refused
    int ticks = 0;       // ticks played
    bool won = false;
    bool lost = false;
};

// Starts from a fresh World (empty lists, empty map data, the engine's default
// seed), so an input behaves the same whatever ran before it.
MapExercise exerciseMap(std::string_view input, int maxTicks = 200);
