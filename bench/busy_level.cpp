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

#include <random>
#include <string>
#include <vector>

std::string floodMap(int wolves)
{
    return std::string(BRAMBLEHOLT_BENCH_DIR) + "/flood-" + std::to_string(wolves) + ".txt";
}

void placeFloodTowers()
{
    // Five cells on each wall, staggered from wall to wall.
    const int walls[4] = {8, 6, 4, 2};
    int kind = 0;
    for (int w = 0; w < 4; ++w) {
        for (int i = 0; i < 5; ++i) {
            const int column = 4 + w % 2 + 3 * i;
            placeTower(kind, column, walls[w]);
            kind = (kind + 1) % 4;
        }
    }
}

BusyLevel setUpBusyLevel(int wolfCount)
{
    clearWorld();
    loadLevelFile(floodMap(10000));
    std::mt19937 setUp(2024u); // the set-up's own engine; the game's is reseeded below

    placeFloodTowers();
    for (Tower* tower : towers)
        tower->state = TowerState::Ready;
    buildLock = 0;

    // Wolves on low ground at least three steps from the home, each kind in
    // turn, each routed from where it stands.
    std::vector<sf::Vector2i> ground;
    for (int column = 1; column <= 17; ++column) {
        for (int row = 1; row <= 9; ++row) {
            if (levelMap.cells[column][row].homeDistance >= 3)
                ground.push_back({column, row});
        }
    }
    randomEngine.seed(5489u);
    for (int i = 0; i < wolfCount; ++i) {
        Wolf* wolf = makeWolf(i % wolfKindCount, 1 + i % 9);
        wolf->route = {ground[setUp() % ground.size()]};
        wolf->findRoute();
        wolf->progress = static_cast<float>(setUp() % 100) / 200;
        wolves.push_back(wolf);
    }

    // Bullets from the towers at random wolves, stones from wolves at towers.
    for (int i = 0; i < 60 && wolfCount > 0; ++i) {
        const Tower* from = towers[setUp() % towers.size()];
        Wolf* at = wolves[setUp() % wolves.size()];
        if (i % 2)
            bullets.push_back(new IceBullet(static_cast<float>(from->x), static_cast<float>(from->y), at));
        else
            bullets.push_back(new RegularBullet(static_cast<float>(from->x), static_cast<float>(from->y), at));
    }
    for (int i = 0; i < 40 && wolfCount > 0; ++i) {
        const sf::Vector2f from = wolves[setUp() % wolves.size()]->position();
        Tower* at = towers[setUp() % towers.size()];
        if (i % 2)
            stones.push_back(new CatapultStone(from.x, from.y, at));
        else
            stones.push_back(new Stone(from.x, from.y, at));
    }
    return {wolves.size(), towers.size(), bullets.size() + stones.size()};
}
