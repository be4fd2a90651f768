#include "world/world.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "towers/wolf_scan.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/wave_clock.h"

#include <cmath>
#include <utility>

std::int32_t elapsedMs = 0;
std::uint8_t levelLost = 0;
std::uint8_t levelWon = 0;
std::uint8_t buildLock = 0;
float buildLockTime = 0.f;

namespace {

// Deletes every element the predicate selects; the rest keep their order.
template <class T, class Selected>
void sweep(std::vector<T*>& list, Selected selected)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (selected(list[i]))
            delete list[i];
        else
            list[kept++] = list[i];
    }
    list.resize(kept);
}

// Only a wolf's own update makes it dead, and only a skunk tower's burst
// changes a dead wolf's state afterwards (it stuns it): the wolves found dead
// right after their update are the only ones the sweep can remove.
void sweepWolves(const std::vector<std::size_t>& foundDead)
{
    if (foundDead.empty())
        return;
    std::size_t kept = foundDead.front(), next = 0;
    for (std::size_t i = kept; i < wolves.size(); ++i) {
        if (next < foundDead.size() && foundDead[next] == i) {
            ++next;
            if (wolves[i]->state == WolfState::Dead) {
                delete wolves[i];
                continue;
            }
        }
        wolves[kept++] = wolves[i];
    }
    wolves.resize(kept);
}

// Removing a tower or a platform changes fields that wolves route on, so each
// removal recomputes them and tells every wolf before the next one goes.
void sweepTowers()
{
    for (std::size_t i = 0; i < towers.size();) {
        Tower* tower = towers[i];
        if (tower->state != TowerState::Collapsed) {
            ++i;
            continue;
        }
        MapCell& cell = levelMap.cells[tower->x][tower->y];
        if (cell.terrain == HighGround)
            cell.hasTower = false;
        else if (cell.platform && cell.platform->tower == tower)
            cell.platform->tower = nullptr;
        finishStonesAimedAt(tower);
        towers.erase(towers.begin() + static_cast<std::ptrdiff_t>(i));
        delete tower;
        computeTowerField();
        for (std::size_t w = 0; w < wolves.size(); ++w)
            wolves[w]->onTowersChanged();
    }
}

void sweepPlatforms()
{
    for (std::size_t i = 0; i < platforms.size();) {
        Platform* platform = platforms[i];
        if (platform->state != PlatformState::Destroyed) {
            ++i;
            continue;
        }
        MapCell& cell = levelMap.cells[platform->x][platform->y];
        if (cell.platform == platform)
            cell.platform = nullptr;
        platforms.erase(platforms.begin() + static_cast<std::ptrdiff_t>(i));
        delete platform;
        computeHomeField();
        computeTowerField();
        computePlatformField();
        for (std::size_t w = 0; w < wolves.size(); ++w)
            wolves[w]->onPlatformsChanged();
    }
}

void updatePonds(float dt)
{
    for (Pond* pond : ponds) {
        if (pond->state == PondState::Full) {
            pond->timer -= dt;
            if (pond->timer < 0.f)
                pond->state = PondState::Drained;
        } else if (pond->state == PondState::Filling) {
            pond->timer -= dt;
            if (pond->timer < 0.f) {
                pond->state = PondState::Full;
                pond->timer = 20.0f;
            }
        }
    }
}

void spawnWolves(sf::Time dt)
{
    for (int kind = 0; kind < wolfKindCount; ++kind) {
        const double u = unitRandom();
        const float t = static_cast<float>(elapsedMs) / 1000;
        const float rate = spawnRate(kind, t);
        if (static_cast<double>(dt.asSeconds() * rate) > u) {
            const double v = unitRandom();
            const int row = 1 - static_cast<int>(std::trunc(v * -9.0));
            wolves.push_back(makeWolf(kind, row));
        }
    }
}

} // namespace

float spawnRate(int kind, float t)
{
    const auto [index, into] = currentWave(mapData.waves, t);
    if (index >= mapData.waves.size())
        return 0.f;
    const WaveRecord& record = std::as_const(mapData.waves)[index];
    // Every step rounds to float in turn; only the exponential itself runs in double.
    const float sum = record.startOffset[kind] + into;
    const float exponent = -sum / record.riseTime[kind];
    const float decay = static_cast<float>(std::exp(static_cast<double>(exponent)));
    const float rise = 1.f - decay;
    return rise * record.peakRate[kind];
}

Wolf* makeWolf(int kind, int row)
{
    switch (kind) {
    case RegularWolfKind: return new RegularWolf(row, row);
    case BabyWolfKind: return new BabyWolf(row, row);
    case ThrowingWolfKind: return new ThrowingWolf(row, row);
    case SuicidalWolfKind: return new SuicidalWolf(row, row);
    case HackingWolfKind: return new HackingWolf(row, row);
    default: return new CatapultWolf(row, row);
    }
}

void tick(sf::Time dt)
{
    if (levelLost == 1 || levelWon == 1)
        return;
    elapsedMs += dt.asMilliseconds();
    if (static_cast<float>(elapsedMs) / 1000 > mapData.totalWaveTime && wolves.empty()) {
        levelWon = 1;
        return;
    }
    // Every update takes the tick's seconds, the same value each time.
    const float seconds = dt.asSeconds();
    if (buildLock == 1) {
        buildLockTime -= seconds;
        if (buildLockTime < 0.f)
            buildLock = 0;
    }

    // Objects are appended while lists are walked (stones by wolves, bullets
    // by towers), so the walks go by index.
    static std::vector<std::size_t> foundDead;
    foundDead.clear();
    wolfScan.open(wolves.size());
    for (std::size_t i = 0; i < wolves.size(); ++i) {
        // The wolves lie all over the heap: fetch the next ones early.
        if (i + 16 < wolves.size()) {
            __builtin_prefetch(wolves[i + 16]);
            __builtin_prefetch(&wolves[i + 16]->sprite.currentTime);
        }
        if (i + 8 < wolves.size())
            __builtin_prefetch(wolves[i + 8]->route.data());
        Wolf& wolf = *wolves[i];
        wolf.update(seconds);
        wolfScan.note(i, wolf);
        if (wolf.state == WolfState::Dead)
            foundDead.push_back(i);
    }
    for (std::size_t i = 0; i < towers.size(); ++i)
        towers[i]->update(seconds);
    wolfScan.close();
    for (std::size_t i = 0; i < bullets.size(); ++i)
        bullets[i]->update(seconds);
    for (std::size_t i = 0; i < stones.size(); ++i)
        stones[i]->update(seconds);
    for (std::size_t i = 0; i < platforms.size(); ++i)
        platforms[i]->update(seconds);
    updatePonds(seconds);

    sweepWolves(foundDead);
    sweepTowers();
    sweep(bullets, [](const Bullet* bullet) { return bullet->finished == 1; });
    sweep(stones, [](const Stone* stone) { return stone->finished == 1; });
    sweepPlatforms();
    sweep(ponds, [](const Pond* pond) { return pond->state == PondState::Drained; });

    spawnWolves(dt);
}
