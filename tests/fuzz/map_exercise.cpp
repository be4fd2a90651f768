#include "map_exercise.h"

#include "../soak/world_invariants.h"

#include "app/assets.h"
#include "datafiles/map_data.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// The input's bytes, read round and round, as the player's decisions: the
// fuzzer steers the play through the same bytes it mutates in the map.
class Choices
{
public:
    explicit Choices(std::string_view bytes) : bytes_(bytes) {}
    unsigned next()
    {
        const auto byte = static_cast<unsigned char>(bytes_[pos_]);
        pos_ = (pos_ + 1) % bytes_.size();
        return byte;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Frame lengths from a frozen frame to a long stall.
const float frameSeconds[8] = {0.f, 1.f / 60, 1.f / 30, 1.f / 30, 0.1f, 0.25f, 1.f, 3.f};

// One building operation on a cell, each guarded by its cell rule as the
// board view guards it.
void build(unsigned what, int column, int row)
{
    switch (what % 8) {
    case 0:
        if (canPlacePlatform(column, row))
            placePlatform(column, row);
        break;
    case 1:
        if (canDigPond(column, row))
            digPond(column, row);
        break;
    case 2:
    case 3:
    case 4:
    case 5:
        if (canPlaceTower(column, row))
            placeTower(static_cast<int>(what % 8) - 2, column, row);
        break;
    default:
        if (!demolishTower(column, row))
            demolishPlatformOrPond(column, row);
        break;
    }
}

[[noreturn]] void broken(const std::string& what, int tick)
{
    std::fprintf(stderr, "World invariant broken after tick %d: %s\n", tick, what.c_str());
    std::abort();
}

} // namespace

MapExercise exerciseMap(std::string_view input, int maxTicks)
{
    clearWorld();
    mapData = MapData{};
    randomEngine.seed(5489u);

    MapExercise outcome;
    const LevelLoadResult loaded = loadLevelText(input, "fuzz.txt");
    if (!loaded) {
        if (loaded.message.empty()) {
            std::fprintf(stderr, "A map was refused without a reason\n");
            std::abort();
        }
        outcome.message = loaded.message;
        return outcome;
    }
    outcome.loaded = true;
    if (!LevelMap::onBoard(levelMap.homeColumn, levelMap.homeRow) ||
        levelMap.cells[levelMap.homeColumn][levelMap.homeRow].terrain != Home) {
        std::fprintf(stderr, "An accepted map has its home at (%d, %d), off the board or not a home cell\n",
                     levelMap.homeColumn, levelMap.homeRow);
        std::abort();
    }

    Choices choices(input);
    for (int tick = 0; tick < maxTicks && levelLost == 0 && levelWon == 0; ++tick) {
        const unsigned action = choices.next();
        if (action < 64) {
            const int column = 2 + static_cast<int>(choices.next() % boardColumns);
            const int row = 1 + static_cast<int>(choices.next() % boardRows);
            // Demolition works during the build lock; building does not.
            if (buildLock == 0 || action % 8 >= 6)
                build(action, column, row);
        }
        ::tick(sf::seconds(frameSeconds[choices.next() % 8]));
        const std::string problem = brokenWorldInvariant();
        if (!problem.empty())
            broken(problem, tick);
        outcome.ticks = tick + 1;
    }
    outcome.won = levelWon == 1;
    outcome.lost = levelLost == 1;
    clearWorld();
    return outcome;
}
