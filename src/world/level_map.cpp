#include "world/level_map.h"

#include "app/assets.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "world/level.h"
#include "world/world.h"

#include <algorithm>

const sf::Vector2i neighbourOffsets[4] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};

LevelMap::LevelMap()
    : lowGroundTexture(loadTexture("image/lowground.png")),
      highGroundTexture(loadTexture("image/highground.png"))
{
    buildEmptyGrid();
}

LevelMap::LevelMap(WithoutTextures)
{
    buildEmptyGrid();
}

void LevelMap::buildEmptyGrid()
{
    for (StepChoices& choices : choices_)
        choices.fresh = false;
    for (int x = 0; x < gridColumns; ++x) {
        for (int y = 0; y < gridRows; ++y) {
            cells[x][y] = MapCell();
            if (x == 0 || x == gridColumns - 1 || y == 0 || y == gridRows - 1)
                cells[x][y].terrain = Border;
        }
    }
}

void LevelMap::setTerrain(const MapData& data)
{
    for (int x = 2; x <= boardColumns + 1; ++x) {
        for (int y = 1; y <= boardRows; ++y) {
            cells[x][y].terrain = data.terrainCodes[x - 2][y - 1];
            if (cells[x][y].terrain == Home) {
                homeColumn = x;
                homeRow = y;
            }
        }
    }
}

void LevelMap::computeField(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths,
                            const std::vector<sf::Vector2i>& sources, Passage passage)
{
    forgetStepChoices(distance);
    for (auto& column : cells) {
        for (MapCell& c : column) {
            c.*distance = -1;
            c.*paths = 0;
        }
    }
    if (sources.empty())
        return;

    auto enterable = [&](const MapCell& c) {
        return c.terrain == LowGround && (passage == Passage::LowGround || !c.platform);
    };

    frontier_.clear();
    for (sf::Vector2i source : sources) {
        if (!inGrid(source))
            continue;
        cell(source).*distance = 0;
        cell(source).*paths = 1;
        frontier_.push_back(source);
    }
    for (int level = 0; !frontier_.empty(); ++level) {
        next_.clear();
        for (sf::Vector2i from : frontier_) {
            for (sf::Vector2i step : neighbourOffsets) {
                const sf::Vector2i to = from + step;
                if (!inGrid(to) || !enterable(cell(to)) || cell(to).*distance != -1)
                    continue;
                MapCell& entered = cell(to);
                entered.*distance = level + 1;
                std::int32_t sum = 0;
                for (sf::Vector2i around : neighbourOffsets) {
                    const sf::Vector2i n = to + around;
                    if (inGrid(n) && cell(n).*distance == level)
                        sum += cell(n).*paths;
                }
                entered.*paths = sum;
                next_.push_back(to);
            }
        }
        frontier_.swap(next_);
    }
}

void LevelMap::forgetStepChoices(std::int32_t MapCell::*distance)
{
    for (StepChoices& choices : choices_) {
        if (choices.distance == distance)
            choices.fresh = false;
    }
}

const LevelMap::StepChoices& LevelMap::stepChoices(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths)
{
    StepChoices* found = nullptr;
    for (StepChoices& choices : choices_) {
        if (choices.distance == distance) {
            if (choices.fresh)
                return choices;
            found = &choices;
            break;
        }
        if (!found && !choices.distance)
            found = &choices;
    }
    if (!found) // more fields than there are: start over
        found = &choices_[0];
    found->distance = distance;
    found->fresh = true;
    found->bounded = true;
    for (int x = 0; x < gridColumns; ++x) {
        for (int y = 0; y < gridRows; ++y) {
            std::int32_t* weights = found->weights[x][y];
            const std::int32_t closer = cells[x][y].*distance - 1;
            std::int32_t sum = 0;
            for (int i = 0; i < 4; ++i) {
                const sf::Vector2i next = sf::Vector2i(x, y) + neighbourOffsets[i];
                if (inGrid(next) && cell(next).*distance == closer)
                    sum += cell(next).*paths;
                weights[i] = sum;
            }
            const std::int32_t total = weights[3];
            const bool bounded = weights[0] >= 0 && weights[1] >= weights[0] && weights[2] >= weights[1] &&
                                 total >= weights[2] && total < (1 << 21);
            found->bounded = found->bounded && bounded;
            const int index = cellIndex({x, y});
            Choice& choice = found->choice[index];
            choice.distance = cells[x][y].*distance;
            for (int i = 0; i < 4; ++i) {
                choice.bounds[i] = bounded ? choiceBound(weights[i], total) : 0;
                const sf::Vector2i next = sf::Vector2i(x, y) + neighbourOffsets[i];
                choice.next[i] = static_cast<std::uint8_t>(inGrid(next) ? cellIndex(next) : index);
            }
            choice.next[4] = static_cast<std::uint8_t>(index);
            choice.runStart = 0;
            choice.runLength = 0;
        }
    }
    if (found->bounded)
        findRuns(*found);
    return *found;
}

void LevelMap::findRuns(StepChoices& choices)
{
    // The one closer neighbour of a forced cell, else -1.
    int forced[cellCount];
    int order[cellCount];
    int count = 0;
    for (int x = 0; x < gridColumns; ++x) {
        for (int y = 0; y < gridRows; ++y) {
            const std::int32_t* weights = choices.weights[x][y];
            const int index = cellIndex({x, y});
            int only = -1, closer = 0;
            for (int i = 0; i < 4; ++i) {
                if (weights[i] > (i > 0 ? weights[i - 1] : 0)) {
                    only = i;
                    ++closer;
                }
            }
            forced[index] = closer == 1 ? choices.choice[index].next[only] : -1;
            if (closer == 1)
                order[count++] = index;
        }
    }
    // From the far end of each corridor first, so that runs are long; a run
    // stops where it meets a cell already in one, whose own run goes on.
    std::sort(order, order + count,
              [&choices](int a, int b) { return choices.choice[a].distance > choices.choice[b].distance; });
    bool inRun[cellCount] = {};
    int length = 0;
    for (int k = 0; k < count; ++k) {
        const int first = length;
        for (int at = order[k]; forced[at] >= 0 && !inRun[at]; at = forced[at]) {
            inRun[at] = true;
            choices.choice[at].runStart = static_cast<std::uint8_t>(length);
            choices.runCells[length++] = {forced[at] / gridRows, forced[at] % gridRows};
        }
        for (int at = order[k], left = length - first; left > 0; at = forced[at], --left)
            choices.choice[at].runLength = static_cast<std::uint8_t>(left);
    }
}

void buildGrid()
{
    levelMap.setTerrain(mapData);
    computeHomeField();
    computeGroundField();
    computeTowerField();
    computePlatformField();
}

namespace {

std::vector<sf::Vector2i>& scratchSources()
{
    static std::vector<sf::Vector2i> sources;
    sources.clear();
    return sources;
}

} // namespace

void computeHomeField()
{
    std::vector<sf::Vector2i>& sources = scratchSources();
    sources.push_back(levelMap.home());
    levelMap.computeField(&MapCell::homeDistance, &MapCell::homePaths, sources, Passage::FreeLowGround);
}

void computeGroundField()
{
    std::vector<sf::Vector2i>& sources = scratchSources();
    sources.push_back(levelMap.home());
    levelMap.computeField(&MapCell::groundDistance, &MapCell::groundPaths, sources, Passage::LowGround);
}

void computeTowerField()
{
    std::vector<sf::Vector2i>& sources = scratchSources();
    for (const Tower* tower : towers)
        sources.push_back({tower->x, tower->y});
    levelMap.computeField(&MapCell::towerDistance, &MapCell::towerPaths, sources, Passage::FreeLowGround);
}

void computePlatformField()
{
    std::vector<sf::Vector2i>& sources = scratchSources();
    for (const Platform* platform : platforms)
        sources.push_back({platform->x, platform->y});
    levelMap.computeField(&MapCell::platformDistance, &MapCell::platformPaths, sources, Passage::LowGround);
}
