#include "world/level_map.h"

#include "app/assets.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "world/world.h"

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
        }
    }
    return *found;
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
