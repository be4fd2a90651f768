// The player's building operations and the cell rules that allow them.

#include "towers/platform.h"
#include "towers/special_towers.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

namespace {

void notifyTowersChanged()
{
    computeTowerField();
    for (std::size_t i = 0; i < wolves.size(); ++i)
        wolves[i]->onTowersChanged();
}

// A platform marked destroyed waits on its cell for the sweep: it can carry
// nothing any more.
bool usablePlatform(const Platform* platform)
{
    return platform && platform->state != PlatformState::Destroyed;
}

Tower* makeTower(int type, int column, int row)
{
    switch (type) {
    case 0: return new Tower(column, row);
    case 1: return new IceTower(column, row);
    case 2: return new SkunkTower(column, row);
    case 3: return new SlapTower(column, row);
    default: return nullptr;
    }
}

} // namespace

bool canPlacePlatform(int column, int row)
{
    if (!LevelMap::onBoard(column, row))
        return false;
    const MapCell& cell = levelMap.cells[column][row];
    return cell.terrain == LowGround && !cell.platform;
}

bool canDigPond(int column, int row)
{
    return canPlacePlatform(column, row);
}

bool canPlaceTower(int column, int row)
{
    if (!LevelMap::onBoard(column, row))
        return false;
    const MapCell& cell = levelMap.cells[column][row];
    if (cell.terrain == HighGround && !cell.hasTower)
        return true;
    return usablePlatform(cell.platform) && !cell.platform->tower;
}

void placeTower(int type, int column, int row)
{
    MapCell& cell = levelMap.cells[column][row];
    if (cell.terrain != HighGround && cell.platform && !usablePlatform(cell.platform))
        return;
    Tower* tower = makeTower(type, column, row);
    if (!tower)
        return;
    towers.push_back(tower);
    buildLock = 1;
    tower->state = TowerState::Building;
    tower->timer = tower->buildTime;
    buildLockTime = tower->buildTime;
    if (cell.terrain == HighGround)
        cell.hasTower = true;
    else if (cell.platform)
        cell.platform->tower = tower;
    notifyTowersChanged();
}

void placePlatform(int column, int row)
{
    Platform* platform = new Platform(column, row);
    platforms.push_back(platform);
    levelMap.cells[column][row].platform = platform;
    platform->state = PlatformState::Building;
    platform->timer = 2.0f;
    computeHomeField();
    computeTowerField();
    computePlatformField();
    for (std::size_t i = 0; i < wolves.size(); ++i)
        wolves[i]->onPlatformsChanged();
    buildLock = 1;
    buildLockTime = 2.0f;
}

void digPond(int column, int row)
{
    ponds.push_back(new Pond{PondState::Filling, column, row, 1.0f});
    buildLock = 1;
    buildLockTime = 1.0f;
}

bool demolishTower(int column, int row)
{
    for (Tower* tower : towers) {
        if (tower->x == column && tower->y == row) {
            tower->state = TowerState::Collapsed;
            finishStonesAimedAt(tower);
            return true;
        }
    }
    return false;
}

void demolishPlatformOrPond(int column, int row)
{
    for (Platform* platform : platforms) {
        if (platform->x == column && platform->y == row && !platform->tower) {
            platform->state = PlatformState::Destroyed;
            return;
        }
    }
    for (Pond* pond : ponds) {
        if (pond->x == column && pond->y == row) {
            pond->state = PondState::Drained;
            return;
        }
    }
}
