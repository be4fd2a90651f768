// Plays a map for a number of ticks of 1/30 s and prints, every 100 ticks, a
// hash of the whole world: every object's every field, each wolf's route and
// animation clock, and the random engine's next output. Two builds that print
// the same lines simulate alike, draw for draw.
//
//   world_trace MAP TICKS      (run from the runtime folder, under a display)
//
// On a map of bench/ the flood's 20 towers stand; on any other map 20 towers
// are placed on its high ground. Every few seconds the driver builds a
// platform and a pond and swaps a tower, on cells its own seeded engine picks,
// so that re-routing, biting, ponds and collapses all happen. Wolves that
// reach the home are kept (the lost flag is cleared), so the run goes on.

#include "busy_level.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/level.h"
#include "world/level_map.h"
#include "world/world.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <typeinfo>

namespace {

class Hasher
{
public:
    template <class T> void add(const T& value)
    {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes) {
            hash_ ^= byte;
            hash_ *= 1099511628211ull;
        }
    }
    void add(const std::type_info& type) { add(type.hash_code()); }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

int direction(const Wolf& wolf)
{
    const Animation* playing = wolf.sprite.animation;
    const Animation* all[4] = {&wolf.walkDown, &wolf.walkLeft, &wolf.walkRight, &wolf.walkUp};
    for (int i = 0; i < 4; ++i) {
        if (playing == all[i])
            return i;
    }
    return -1;
}

std::uint64_t worldHash()
{
    Hasher h;
    h.add(elapsedMs);
    h.add(levelWon);
    h.add(buildLock);
    h.add(buildLockTime);
    std::mt19937 engine = randomEngine;
    h.add(engine());
    for (const Wolf* wolf : wolves) {
        h.add(typeid(*wolf));
        h.add(wolf->state);
        h.add(wolf->slowed);
        h.add(wolf->slowTimer);
        h.add(wolf->knockStep);
        h.add(wolf->stateTimer);
        h.add(wolf->route.size());
        for (const sf::Vector2i cell : wolf->route)
            h.add(cell);
        h.add(wolf->progress);
        h.add(wolf->health);
        h.add(wolf->maxHealth);
        h.add(wolf->speed);
        h.add(wolf->baseSpeed);
        h.add(direction(*wolf));
        h.add(wolf->sprite.currentFrame);
        h.add(wolf->sprite.currentTime.asMicroseconds());
        h.add(wolf->sprite.frameTime.asMicroseconds());
        for (const sf::Vertex& vertex : wolf->sprite.vertices) {
            h.add(vertex.position);
            h.add(vertex.texCoords);
        }
    }
    for (const Tower* tower : towers) {
        h.add(typeid(*tower));
        h.add(tower->state);
        h.add(tower->x);
        h.add(tower->y);
        h.add(tower->health);
        h.add(tower->timer);
        h.add(tower->regenTimer);
    }
    for (const Bullet* bullet : bullets) {
        h.add(typeid(*bullet));
        h.add(bullet->x);
        h.add(bullet->y);
        h.add(bullet->finished);
        h.add(bullet->target->health);
    }
    for (const Stone* stone : stones) {
        h.add(typeid(*stone));
        h.add(stone->x);
        h.add(stone->y);
        h.add(stone->z);
        h.add(stone->time);
        h.add(stone->finished);
        h.add(stone->target->x);
        h.add(stone->target->y);
    }
    for (const Platform* platform : platforms) {
        h.add(platform->state);
        h.add(platform->x);
        h.add(platform->y);
        h.add(platform->health);
        h.add(platform->timer);
        h.add(platform->regenTimer);
        h.add(platform->tower != nullptr);
    }
    for (const Pond* pond : ponds) {
        h.add(pond->state);
        h.add(pond->x);
        h.add(pond->y);
        h.add(pond->timer);
    }
    return h.value();
}

sf::Vector2i randomCell(std::mt19937& engine)
{
    return {2 + static_cast<int>(engine() % 16), 1 + static_cast<int>(engine() % 9)};
}

void placeTowerSomewhere(std::mt19937& engine, int kind)
{
    for (int tries = 0; tries < 200; ++tries) {
        const sf::Vector2i at = randomCell(engine);
        if (canPlaceTower(at.x, at.y)) {
            placeTower(kind, at.x, at.y);
            return;
        }
    }
}

// Every 90 ticks one building operation, in turn: a platform, a pond, a
// tower demolished and another placed.
void build(std::mt19937& engine, int step)
{
    const sf::Vector2i at = randomCell(engine);
    switch (step % 3) {
    case 0:
        if (canPlacePlatform(at.x, at.y))
            placePlatform(at.x, at.y);
        break;
    case 1:
        if (canDigPond(at.x, at.y))
            digPond(at.x, at.y);
        break;
    default:
        if (!towers.empty()) {
            const Tower* old = towers[engine() % towers.size()];
            demolishTower(old->x, old->y);
        }
        placeTowerSomewhere(engine, static_cast<int>(engine() % 4));
        break;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: world_trace MAP TICKS\n");
        return 2;
    }
    const std::string map = argv[1];
    const int ticks = std::atoi(argv[2]);
    if (!loadLevelFile(map))
        return 1;
    std::mt19937 driver(99u);
    if (map.find("flood-") != std::string::npos) {
        placeFloodTowers();
    } else {
        for (int i = 0; i < 20; ++i)
            placeTowerSomewhere(driver, i % 4);
    }
    const sf::Time step = sf::seconds(1.f / 30);
    for (int t = 1; t <= ticks; ++t) {
        if (t % 90 == 0)
            build(driver, t / 90);
        tick(step);
        levelLost = 0;
        if (t % 100 == 0)
            std::printf("%d %zu %016" PRIx64 "\n", t, wolves.size(), worldHash());
    }
    clearWorld();
    return 0;
}
