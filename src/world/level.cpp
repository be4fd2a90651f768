#include "world/level.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

#include <SFML/System/String.hpp>

#include <iostream>

std::uint32_t worldClears = 0;

namespace {

void forgetBuildings()
{
    for (auto& column : levelMap.cells) {
        for (MapCell& cell : column) {
            cell.hasTower = false;
            cell.platform = nullptr;
        }
    }
}

template <class T> void destroyAll(std::vector<T*>& list)
{
    for (T* object : list)
        delete object;
    list.clear();
}

LevelLoadResult failure(const std::string& name, const MapReadResult& problem)
{
    const std::wstring wideName = sf::String::fromUtf8(name.begin(), name.end()).toWideString();
    LevelLoadResult result{false, name + ": " + problem.error, wideName + L"：" + problem.screenError};
    std::cerr << "Cannot load level " << result.message << '\n';
    return result;
}

LevelLoadResult start(const MapData& data, const std::string& name)
{
    const Refusal problem = checkMap(data);
    if (!problem.empty())
        return failure(name, problem);
    // Whatever happened before (a click that built after the level was left,
    // say), a level starts with nothing on its board.
    clearWorld();
    levelLost = 0;
    levelWon = 0;
    buildLock = 0;
    elapsedMs = 0;
    mapData = data;
    buildGrid();
    return {};
}

} // namespace

Refusal checkMap(const MapData& data)
{
    bool hasHome = false;
    for (const auto& column : data.terrainCodes) {
        for (std::int32_t code : column)
            hasHome = hasHome || code == Home;
    }
    if (!hasHome)
        return refuse(refusals::noHome);

    LevelMap probe{LevelMap::WithoutTextures{}};
    probe.setTerrain(data);
    probe.computeField(&MapCell::groundDistance, &MapCell::groundPaths, {probe.home()}, Passage::LowGround);
    for (int row = 1; row <= boardRows; ++row) {
        if (probe.cells[1][row].groundDistance != -1)
            return {};
    }
    return refuse(refusals::homeUnreachable);
}

LevelLoadResult loadLevelText(std::string_view text, const std::string& name)
{
    MapData data = mapData;
    const MapReadResult read = readMap(text, data);
    if (!read.ok())
        return failure(name, read);
    return start(data, name);
}

bool readMapFile(const std::string& path)
{
    return readMapFile(path, mapData).ok();
}

LevelLoadResult loadLevelFile(const std::string& path)
{
    MapData data = mapData;
    const MapReadResult read = readMapFile(path, data);
    if (!read.ok())
        return failure(path, read);
    return start(data, path);
}

LevelLoadResult loadLevel(int level)
{
    return loadLevelFile("map/c" + std::to_string(level) + ".txt");
}

void restartLevel()
{
    clearWorld();
    elapsedMs = 0;
    buildLock = 0;
    forgetBuildings();
    computeHomeField();
    computeGroundField();
    computeTowerField();
    computePlatformField();
    levelLost = 0;
    levelWon = 0;
}

void clearWorld()
{
    destroyAll(wolves);
    destroyAll(towers);
    destroyAll(stones);
    destroyAll(bullets);
    destroyAll(platforms);
    destroyAll(ponds);
    forgetBuildings();
    ++worldClears;
}
