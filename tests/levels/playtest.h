#pragma once
// Plays a shipped level headless: the real simulation with a fixed step of
// 1/30 s and the seeded engine, and a scripted build plan carried out as a
// player would (one placement at a time, only when the build lock is free and
// the cell allows it).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Placement
{
    enum Kind
    {
        Platform,
        Tower, // type: 0 arrow, 1 ice, 2 skunk, 3 slap
        Pond,
        Demolish,
    };
    float time; // seconds of level time from which it is made
    Kind kind;
    int type;
    int column, row;
};

using BuildPlan = std::vector<Placement>;

struct PlayResult
{
    bool won = false;
    bool lost = false;
    int ticks = 0;
    float seconds = 0.f;
    std::array<int, 6> spawned{};
    std::array<int, 4> towersBuilt{}; // by type
    int platformsBuilt = 0;
    int pondsDug = 0;
    int skipped = 0; // placements the board refused
    std::uint64_t hashAtTick = 0;
};

constexpr float playtestStep = 1.f / 30;

// Loads the map file, plays it to its end (or maxTicks) and records what
// happened; hashTick, when positive, is the tick after which the world's
// state is hashed. A map that does not load is neither won nor lost.
PlayResult playtest(const std::string& mapPath, const BuildPlan& plan, int maxTicks, int hashTick = 0);

// The file of a shipped level, relative to the runtime folder.
std::string levelFile(int level);

// A hash of every object's kind, state, position and health.
std::uint64_t worldHash();

int placementCount(const PlayResult& result);
