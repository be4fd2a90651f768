#pragma once
// What a player who builds without a plan tries first: towers on every stone
// block as fast as the build lock allows, in some order and mix, or only
// near the home. A good level beats every one of them.

#include "playtest.h"

#include <string>
#include <vector>

struct Strategy
{
    std::string name;
    BuildPlan plan;
};

// The naive strategies for a map file (loaded to find its stone blocks).
std::vector<Strategy> naiveStrategies(const std::string& mapPath);
