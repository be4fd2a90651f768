#pragma once
// What a player who builds without a plan tries first: towers on every stone
// block as fast as the build lock allows, in some order and mix, or only
// near the home; and once that fails, rings of platform towers round the
// home, alone or with the stones, mixed with ice, kept rebuilt as they fall.
// A good level beats every one of them (the first level may fall to a ring,
// the idea it teaches).

#include "playtest.h"

#include <string>
#include <vector>

struct Strategy
{
    std::string name;
    BuildPlan plan;
    bool ring = false; // platform towers round the home: level 1 teaches that
};

// The naive strategies for a map file (loaded to find its stone blocks).
std::vector<Strategy> naiveStrategies(const std::string& mapPath);
