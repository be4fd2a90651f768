#pragma once
// Plays a level file headless: the real simulation with the seeded engine,
// frames of exactly 1/30 s or of the real game's varied lengths, and a
// scripted build plan carried out as a player would (one placement at a time,
// only when the build lock is free and the cell allows it). A run keeps a
// timeline of what happened.

#include "timeline.h"

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
    bool keep = false; // put back whenever it is gone and the cell allows it again
    int line = 0;      // the plan file's line, for warnings
};

using BuildPlan = std::vector<Placement>;

struct PlayOptions
{
    float rateScale = 1.f;  // every peak rate of the map multiplied by this
    unsigned frameSeed = 0; // 0: frames of exactly 1/30 s; else drawn from the real game's spread
    float reaction = 0.f;   // seconds a person takes to click again once the build lock clears
    float maxSeconds = 1e9f; // level time at which an undecided run stops
    int maxTicks = 1 << 30;
    int hashTick = 0;        // when positive, the world is hashed after this tick
};

struct PlayResult
{
    bool loaded = false;
    bool won = false;
    bool lost = false;
    int ticks = 0;
    float seconds = 0.f;
    std::array<int, 6> spawned{};
    std::array<int, 4> towersBuilt{}; // by type
    int platformsBuilt = 0;
    int pondsDug = 0;
    int skipped = 0; // placements the board refused
    int rebuilt = 0; // buildings of keep lines put back
    int longestTickMs = 0; // the most level time one frame advanced
    std::uint64_t hashAtTick = 0;
    Timeline timeline;
};

constexpr float playtestStep = 1.f / 30;

// Loads the map file, plays it until it is decided or options.maxSeconds of
// level time have passed, and records what happened. A map that does not
// load is neither won nor lost. The level stays in the World afterwards, so
// its board can be drawn.
PlayResult playtest(const std::string& mapPath, const BuildPlan& plan, const PlayOptions& options = {});

// The file of a shipped level, relative to the runtime folder.
std::string levelFile(int level);

int placementCount(const PlayResult& result);
