#include "playtest.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/special_towers.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"
#include "world/level.h"
#include "world/world.h"

#include <algorithm>
#include <cstring>

namespace {

class Hasher
{
public:
    void add(std::uint64_t value)
    {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= (value >> (8 * i)) & 0xFF;
            hash_ *= 1099511628211ull;
        }
    }
    void add(float value)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(static_cast<std::uint64_t>(bits));
    }
    void add(int value) { add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(value))); }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

int wolfKind(const Wolf* wolf)
{
    if (dynamic_cast<const BabyWolf*>(wolf))
        return BabyWolfKind;
    if (dynamic_cast<const ThrowingWolf*>(wolf))
        return ThrowingWolfKind;
    if (dynamic_cast<const SuicidalWolf*>(wolf))
        return SuicidalWolfKind;
    if (dynamic_cast<const HackingWolf*>(wolf))
        return HackingWolfKind;
    if (dynamic_cast<const CatapultWolf*>(wolf))
        return CatapultWolfKind;
    return RegularWolfKind;
}

int towerKind(const Tower* tower)
{
    if (dynamic_cast<const IceTower*>(tower))
        return 1;
    if (dynamic_cast<const SkunkTower*>(tower))
        return 2;
    if (dynamic_cast<const SlapTower*>(tower))
        return 3;
    return 0;
}

// Tries one placement; false when the board does not allow it.
bool place(const Placement& p, PlayResult& result)
{
    switch (p.kind) {
    case Placement::Platform:
        if (!canPlacePlatform(p.column, p.row))
            return false;
        placePlatform(p.column, p.row);
        ++result.platformsBuilt;
        return true;
    case Placement::Tower:
        if (!canPlaceTower(p.column, p.row))
            return false;
        placeTower(p.type, p.column, p.row);
        ++result.towersBuilt[static_cast<std::size_t>(p.type)];
        return true;
    case Placement::Pond:
        if (!canDigPond(p.column, p.row))
            return false;
        digPond(p.column, p.row);
        ++result.pondsDug;
        return true;
    case Placement::Demolish:
        if (!demolishTower(p.column, p.row))
            demolishPlatformOrPond(p.column, p.row);
        return true;
    }
    return false;
}

} // namespace

std::uint64_t worldHash()
{
    Hasher h;
    h.add(elapsedMs);
    for (const Wolf* wolf : wolves) {
        h.add(wolfKind(wolf));
        h.add(static_cast<int>(wolf->state));
        h.add(wolf->position().x);
        h.add(wolf->position().y);
        h.add(wolf->health);
    }
    for (const Tower* tower : towers) {
        h.add(towerKind(tower));
        h.add(static_cast<int>(tower->state));
        h.add(tower->x);
        h.add(tower->y);
        h.add(tower->health);
    }
    for (const Bullet* bullet : bullets) {
        h.add(dynamic_cast<const IceBullet*>(bullet) ? 1 : 0);
        h.add(bullet->finished);
        h.add(bullet->x);
        h.add(bullet->y);
    }
    for (const Stone* stone : stones) {
        h.add(dynamic_cast<const CatapultStone*>(stone) ? 1 : 0);
        h.add(stone->finished);
        h.add(stone->x);
        h.add(stone->y);
        h.add(stone->z);
    }
    for (const Platform* platform : platforms) {
        h.add(static_cast<int>(platform->state));
        h.add(platform->x);
        h.add(platform->y);
        h.add(platform->health);
    }
    for (const Pond* pond : ponds) {
        h.add(static_cast<int>(pond->state));
        h.add(pond->x);
        h.add(pond->y);
        h.add(pond->timer);
    }
    return h.value();
}

std::string levelFile(int level)
{
    return "map/c" + std::to_string(level) + ".txt";
}

PlayResult playtest(const std::string& mapPath, const BuildPlan& plan, int maxTicks, int hashTick)
{
    PlayResult result;
    clearWorld();
    randomEngine.seed(5489u);
    if (!loadLevelFile(mapPath))
        return result;

    BuildPlan pending = plan;
    std::stable_sort(pending.begin(), pending.end(),
                     [](const Placement& a, const Placement& b) { return a.time < b.time; });
    std::size_t next = 0;
    const sf::Time step = sf::seconds(playtestStep);

    while (result.ticks < maxTicks && levelWon == 0 && levelLost == 0) {
        const float now = static_cast<float>(elapsedMs) / 1000;
        while (next < pending.size() && pending[next].time <= now && buildLock == 0) {
            if (!place(pending[next], result))
                ++result.skipped;
            ++next;
        }
        tick(step);
        ++result.ticks;
        // Wolves spawned in this tick have not been updated yet, so their
        // speed is still 0; every other wolf has one.
        for (const Wolf* wolf : wolves)
            result.spawned[static_cast<std::size_t>(wolfKind(wolf))] += wolf->speed == 0.f;
        if (hashTick > 0 && result.ticks == hashTick)
            result.hashAtTick = worldHash();
    }
    result.won = levelWon == 1;
    result.lost = levelLost == 1;
    result.seconds = static_cast<float>(elapsedMs) / 1000;
    return result;
}

int placementCount(const PlayResult& result)
{
    int count = result.platformsBuilt + result.pondsDug;
    for (int built : result.towersBuilt)
        count += built;
    return count;
}
