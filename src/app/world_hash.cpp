#include "app/world_hash.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/special_towers.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"
#include "world/world.h"

#include <cstring>

namespace {

// FNV-1a over the bytes of each value, lowest byte first.
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

} // namespace

int wolfKindOf(const Wolf* wolf)
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

int towerTypeOf(const Tower* tower)
{
    if (dynamic_cast<const IceTower*>(tower))
        return 1;
    if (dynamic_cast<const SkunkTower*>(tower))
        return 2;
    if (dynamic_cast<const SlapTower*>(tower))
        return 3;
    return 0;
}

std::uint64_t hashWorld()
{
    Hasher h;
    h.add(elapsedMs);
    for (const Wolf* wolf : wolves) {
        h.add(wolfKindOf(wolf));
        h.add(static_cast<int>(wolf->state));
        h.add(wolf->position().x);
        h.add(wolf->position().y);
        h.add(wolf->health);
    }
    for (const Tower* tower : towers) {
        h.add(towerTypeOf(tower));
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
