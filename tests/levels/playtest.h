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

// Loads the level, plays it to its end (or maxTicks) and records what
// happened; hashTick, when positive, is the tick after which the world's
// state is hashed.
PlayResult playtest(int level, const BuildPlan& plan, int maxTicks, int hashTick = 0);

// A hash of every object's kind, state, position and health.
std::uint64_t worldHash();

// The plan with its last third of placements left out.
BuildPlan firstTwoThirds(const BuildPlan& plan);

// Digs a pond on each cell again every period seconds from the start time,
// so that the ponds stay full.
void keepPondsFull(BuildPlan& plan, const std::vector<std::pair<int, int>>& cells, float start, float end,
                   float period = 21.5f);

int placementCount(const PlayResult& result);
