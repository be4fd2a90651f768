#include "strategies.h"

#include "world/level.h"
#include "world/level_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

// The grass cells round the home, ring by ring (ring 1 the eight cells
// touching it), nearest first within a ring.
std::vector<Cell> ringsRoundHome(int rings)
{
    std::vector<Cell> cells;
    for (int column = 2; column <= boardColumns + 1; ++column) {
        for (int row = 1; row <= boardRows; ++row) {
            const int ring = std::max(std::abs(column - levelMap.homeColumn), std::abs(row - levelMap.homeRow));
            if (ring >= 1 && ring <= rings && levelMap.cells[column][row].terrain == LowGround)
                cells.push_back({column, row});
        }
    }
    std::stable_sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) {
        const auto ring = [](const Cell& c) {
            return std::max(std::abs(c.column - levelMap.homeColumn), std::abs(c.row - levelMap.homeRow));
        };
        return ring(a) != ring(b) ? ring(a) < ring(b) : distanceToHome(a) < distanceToHome(b);
    });
    return cells;
}

// A platform on each cell with a tower on it, one cell after the other;
// every mixEvery-th tower is of the mixed-in type.
BuildPlan platformTowersOn(const std::vector<Cell>& cells, int mixedType = 0, int mixEvery = 0, float from = 0)
{
    BuildPlan plan;
    const BuildPlan towers = towersOn(cells, mixedType, mixEvery, from);
    for (const Placement& tower : towers) {
        plan.push_back({from, Placement::Platform, 0, tower.column, tower.row});
        plan.push_back(tower);
    }
    return plan;
}

// The plan wanted again and again: every period whatever has fallen is
// built anew (what still stands is refused and costs no time).
BuildPlan keptRebuilt(const BuildPlan& plan, float period = 10)
{
    BuildPlan rebuilt;
    for (float t = 0; t < 600; t += period) {
        for (Placement placement : plan) {
            placement.time += t;
            rebuilt.push_back(placement);
        }
    }
    return rebuilt;
}

BuildPlan append(BuildPlan plan, const BuildPlan& more)
{
    plan.insert(plan.end(), more.begin(), more.end());
    return plan;
}

// Towers away from the home: side by side in the middle row from the column
// on, or spread evenly over the rows of the column. A stone carries its tower
// without a platform.
BuildPlan outlyingTowers(int count, int column, bool spread)
{
    BuildPlan plan;
    const int middle = (boardRows + 1) / 2;
    for (int i = 0; i < count; ++i) {
        const Cell cell = spread ? Cell{column, (2 * i + 1) * boardRows / (2 * count) + 1}
                                 : Cell{std::min(column + i, boardColumns + 1), middle};
        const MapCell& ground = levelMap.cells[cell.column][cell.row];
        if (ground.terrain == Home)
            continue;
        if (ground.terrain == LowGround)
            plan.push_back({0, Placement::Platform, 0, cell.column, cell.row});
        plan.push_back({0, Placement::Tower, 0, cell.column, cell.row});
    }
    return plan;
}

} // namespace

std::vector<Recipe> recipeFamily()
{
    std::vector<Recipe> family;
    for (int rings : {3, 4, 5})
        for (int iceEvery : {0, 2, 3, 4})
            for (int towers = 1; towers <= 5; ++towers)
                for (int column = 3; column <= 9; ++column)
                    for (bool spread : {false, true})
                        for (bool ringFirst : {true, false})
                            for (int rebuildEvery : {10, 15, 20})
                                family.push_back({rings, iceEvery, towers, column, spread, ringFirst, rebuildEvery});
    return family;
}

std::string describe(const Recipe& r)
{
    std::string text = std::to_string(r.rings) + " rings" +
                       (r.iceEvery > 0 ? ", every " + std::to_string(r.iceEvery) + (r.iceEvery == 2 ? "nd" : r.iceEvery == 3 ? "rd" : "th") + " ice" : std::string(", arrows")) +
                       ", " + std::to_string(r.towers) + (r.towers == 1 ? " tower" : " towers") + " at column " +
                       std::to_string(r.column) + (r.spread ? " spread over the rows" : " of the middle row") +
                       (r.ringFirst ? ", rings first" : ", towers first") + ", clicked every " +
                       std::to_string(r.rebuildEvery) + " s";
    return text;
}

BuildPlan recipePlan(const std::string& mapPath, const Recipe& r)
{
    clearWorld();
    if (!loadLevelFile(mapPath))
        return {};
    const BuildPlan block = platformTowersOn(ringsRoundHome(r.rings), 1, r.iceEvery);
    const BuildPlan towers = outlyingTowers(r.towers, r.column, r.spread);
    return keptRebuilt(r.ringFirst ? append(block, towers) : append(towers, block), static_cast<float>(r.rebuildEvery));
}

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

    const BuildPlan ring = platformTowersOn(ringsRoundHome(1));
    const BuildPlan twoRings = platformTowersOn(ringsRoundHome(2));
    const BuildPlan everyStone = towersOn(stones);
    const BuildPlan threeRings = platformTowersOn(ringsRoundHome(3));

    return {
        {"arrows on every stone, nearest the home first", everyStone},
        {"arrows on every stone, farthest first", towersOn(farthestFirst)},
        {"arrows on every stone, shuffled", towersOn(shuffled)},
        {"every stone, arrows and ice 2:1", towersOn(stones, 1, 3)},
        {"every stone, arrows and slap 2:1", towersOn(stones, 3, 3)},
        {"every stone, arrows and skunk 2:1", towersOn(stones, 2, 3)},
        {"ice on every stone", towersOn(stones, 1, 1)},
        {"arrows on the ten nearest stones", towersOn(nearestTen)},
        {"arrows on every stone, rebuilt as they fall", keptRebuilt(everyStone)},
        {"a ring of platform arrow towers round the home", ring, true},
        {"two rings of platform arrow towers round the home", twoRings, true},
        {"two rings, arrows and ice 2:1", platformTowersOn(ringsRoundHome(2), 1, 3), true},
        {"a ring, then arrows on every stone", append(ring, everyStone), true},
        {"arrows on every stone, then two rings", append(everyStone, twoRings), true},
        {"two rings, rebuilt as they fall", keptRebuilt(twoRings), true},
        {"two rings and every stone, rebuilt as they fall", keptRebuilt(append(twoRings, everyStone)), true},
        {"two rings and every stone, arrows and ice 2:1, rebuilt",
         keptRebuilt(append(platformTowersOn(ringsRoundHome(2), 1, 3), towersOn(stones, 1, 3))), true},
        {"three rings, rebuilt as they fall", keptRebuilt(threeRings), true},
        {"every stone farthest first, then two rings, rebuilt", keptRebuilt(append(towersOn(farthestFirst), twoRings)),
         true},
        {"stones farthest first, three rings, ice 3:1, rebuilt",
         keptRebuilt(append(towersOn(farthestFirst), platformTowersOn(ringsRoundHome(3), 1, 4))), true},
    };
}
