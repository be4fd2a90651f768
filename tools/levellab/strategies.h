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

// A recipe a strong player works out from any map without reading what the
// level is about: a deep block of platform towers round the home, and a few
// platform arrow towers where the wolves come in for the catapults to meet,
// everything clicked again and again. The family of such recipes:
struct Recipe
{
    int rings = 4;        // 3 to 5 rings of platform towers round the home
    int iceEvery = 4;     // every n-th tower of the block an ice tower (2 to 4); 0: arrows only
    int towers = 1;       // 1 to 5 platform arrow towers away from the home
    int column = 5;       // 3 to 9: their column (the first of them, in the middle row)
    bool spread = false;  // spread over the rows of that column, else side by side in the middle row
    bool ringFirst = true; // the block before the towers, else the towers first
    int rebuildEvery = 15; // 10, 15 or 20 s: the whole list clicked again
};
std::vector<Recipe> recipeFamily(); // every member, thousands of them
std::string describe(const Recipe& recipe);
// The recipe's plan on the map file (loaded to find its home and stones).
BuildPlan recipePlan(const std::string& mapPath, const Recipe& recipe);
