#include "naive_strategies.h"

#include "world/level.h"
#include "world/level_map.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Cell
{
    int column, row;
};

float distanceToHome(const Cell& cell)
{
    return std::hypot(static_cast<float>(cell.column - levelMap.homeColumn),
                      static_cast<float>(cell.row - levelMap.homeRow));
}

// The board's stone blocks, nearest the home first (ties left to right, bottom up).
std::vector<Cell> stonesNearestHome()
{
    std::vector<Cell> cells;
    for (int column = 2; column <= boardColumns + 1; ++column) {
        for (int row = 1; row <= boardRows; ++row) {
            if (levelMap.cells[column][row].terrain == HighGround)
                cells.push_back({column, row});
        }
    }
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return distanceToHome(a) < distanceToHome(b); });
    return cells;
}

// Towers on the cells, all wanted from the start: the playtest builds the
// next one as soon as the lock clears. Every mixEvery-th tower is of the
// mixed-in type.
BuildPlan towersOn(const std::vector<Cell>& cells, int mixedType = 0, int mixEvery = 0, float from = 0)
{
    BuildPlan plan;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const bool mixed = mixEvery > 0 && i % static_cast<std::size_t>(mixEvery) == static_cast<std::size_t>(mixEvery) - 1;
        plan.push_back({from, Placement::Tower, mixed ? mixedType : 0, cells[i].column, cells[i].row});
    }
    return plan;
}

BuildPlan append(BuildPlan plan, const BuildPlan& more)
{
    plan.insert(plan.end(), more.begin(), more.end());
    return plan;
}

} // namespace

std::vector<Strategy> naiveStrategies(const std::string& mapPath)
{
    clearWorld();
    if (!loadLevelFile(mapPath))
        return {};
    const std::vector<Cell> stones = stonesNearestHome();
    std::vector<Cell> farthestFirst(stones.rbegin(), stones.rend());
    std::vector<Cell> shuffled = stones;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    const std::vector<Cell> nearestTen(stones.begin(), stones.begin() + std::min<std::size_t>(10, stones.size()));

    // Every stone kept built: the whole list wanted again every ten seconds
    // rebuilds whatever has fallen.
    BuildPlan rebuilt;
    for (float t = 0; t < 600; t += 10)
        rebuilt = append(rebuilt, towersOn(stones, 0, 0, t));

    return {
        {"arrows on every stone, nearest the home first", towersOn(stones)},
        {"arrows on every stone, farthest first", towersOn(farthestFirst)},
        {"arrows on every stone, shuffled", towersOn(shuffled)},
        {"every stone, arrows and ice 2:1", towersOn(stones, 1, 3)},
        {"every stone, arrows and slap 2:1", towersOn(stones, 3, 3)},
        {"every stone, arrows and skunk 2:1", towersOn(stones, 2, 3)},
        {"ice on every stone", towersOn(stones, 1, 1)},
        {"arrows on the ten nearest stones", towersOn(nearestTen)},
        {"arrows on every stone, rebuilt as they fall", rebuilt},
    };
}
