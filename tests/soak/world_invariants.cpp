#include "world_invariants.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Sorted copies of the lists, so membership is a binary search and a check
// over hundreds of wolves and bullets stays cheap enough for every tick. The
// copies keep their storage from one check to the next.
template <class T> void sortedCopy(const std::vector<T*>& list, std::vector<const T*>& copy)
{
    copy.assign(list.begin(), list.end());
    std::sort(copy.begin(), copy.end());
}

template <class T> bool contains(const std::vector<const T*>& sorted, const T* object)
{
    return std::binary_search(sorted.begin(), sorted.end(), object);
}

std::string cellName(int x, int y)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

class Checker
{
public:
    std::string run()
    {
        sortedCopy(wolves, liveWolves_);
        sortedCopy(towers, liveTowers_);
        sortedCopy(platforms, livePlatforms_);
        if (liveWolves_.size() != wolves.size() || liveTowers_.size() != towers.size() ||
            livePlatforms_.size() != platforms.size())
            fail("an object is listed twice");
        checkWolves();
        checkShots();
        checkCells();
        checkPlatforms();
        checkTowers();
        return problem_;
    }

private:
    bool failed() const { return !problem_.empty(); }
    void fail(const std::string& what)
    {
        if (!failed())
            problem_ = what;
    }

    void checkWolves()
    {
        for (std::size_t i = 0; i < wolves.size() && !failed(); ++i) {
            const Wolf& wolf = *wolves[i];
            auto who = [i] { return "wolf " + std::to_string(i); };
            if (wolf.route.empty()) {
                fail(who() + " has an empty route");
                return;
            }
            for (std::size_t k = 0; k < wolf.route.size(); ++k) {
                const sf::Vector2i at = wolf.route[k];
                if (!LevelMap::inGrid(at)) {
                    fail(who() + " routes through " + cellName(at.x, at.y) + ", outside the grid");
                    return;
                }
                if (k > 0) {
                    const sf::Vector2i step = at - wolf.route[k - 1];
                    if (std::abs(step.x) + std::abs(step.y) > 1) {
                        fail(who() + " jumps from " + cellName(wolf.route[k - 1].x, wolf.route[k - 1].y) + " to " +
                             cellName(at.x, at.y));
                        return;
                    }
                }
            }
            const sf::Vector2f at = wolf.position();
            if (!std::isfinite(at.x) || !std::isfinite(at.y) || !std::isfinite(wolf.progress))
                fail(who() + " stands at a position that is not a number");
        }
    }

    void checkShots()
    {
        for (std::size_t i = 0; i < bullets.size() && !failed(); ++i) {
            const Bullet& bullet = *bullets[i];
            if (!contains(liveWolves_, static_cast<const Wolf*>(bullet.target)))
                fail("bullet " + std::to_string(i) + " flies at a wolf that is not in the list");
            else if (!std::isfinite(bullet.x) || !std::isfinite(bullet.y))
                fail("bullet " + std::to_string(i) + " is at a position that is not a number");
        }
        for (std::size_t i = 0; i < stones.size() && !failed(); ++i) {
            const Stone& stone = *stones[i];
            if (!contains(liveTowers_, static_cast<const Tower*>(stone.target)))
                fail("stone " + std::to_string(i) + " flies at a tower that is not in the list");
            else if (!std::isfinite(stone.x) || !std::isfinite(stone.y) || !std::isfinite(stone.z))
                fail("stone " + std::to_string(i) + " is at a position that is not a number");
        }
    }

    void checkCells()
    {
        for (int x = 0; x < LevelMap::gridColumns && !failed(); ++x) {
            for (int y = 0; y < LevelMap::gridRows && !failed(); ++y) {
                const MapCell& cell = levelMap.cells[x][y];
                auto where = [x, y] { return "cell " + cellName(x, y); };
                if (cell.platform) {
                    if (!contains(livePlatforms_, static_cast<const Platform*>(cell.platform)))
                        fail(where() + " holds a platform that is not in the list");
                    else if (cell.platform->x != x || cell.platform->y != y)
                        fail(where() + " holds the platform of " + cellName(cell.platform->x, cell.platform->y));
                    else if (cell.terrain != LowGround)
                        fail(where() + " holds a platform but is not low ground");
                }
                if (cell.hasTower) {
                    const bool standing = std::any_of(towers.begin(), towers.end(), [&](const Tower* tower) {
                        return tower->x == x && tower->y == y;
                    });
                    if (cell.terrain != HighGround)
                        fail(where() + " has a tower but is not high ground");
                    else if (!standing)
                        fail(where() + " has a tower but no tower of the list stands there");
                }
            }
        }
    }

    void checkPlatforms()
    {
        for (std::size_t i = 0; i < platforms.size() && !failed(); ++i) {
            const Platform& platform = *platforms[i];
            auto who = [&] { return "platform " + std::to_string(i) + " at " + cellName(platform.x, platform.y); };
            if (!LevelMap::onBoard(platform.x, platform.y)) {
                fail(who() + " is off the board");
                return;
            }
            if (levelMap.cells[platform.x][platform.y].platform != &platform)
                fail(who() + " is not the platform its cell holds");
            else if (platform.tower && !contains(liveTowers_, static_cast<const Tower*>(platform.tower)))
                fail(who() + " carries a tower that is not in the list");
            else if (platform.tower && (platform.tower->x != platform.x || platform.tower->y != platform.y))
                fail(who() + " carries the tower of " + cellName(platform.tower->x, platform.tower->y));
        }
    }

    void checkTowers()
    {
        for (std::size_t i = 0; i < towers.size() && !failed(); ++i) {
            const Tower& tower = *towers[i];
            auto who = [&] { return "tower " + std::to_string(i) + " at " + cellName(tower.x, tower.y); };
            if (!LevelMap::onBoard(tower.x, tower.y)) {
                fail(who() + " is off the board");
                return;
            }
            const MapCell& cell = levelMap.cells[tower.x][tower.y];
            if (cell.terrain == HighGround) {
                if (!cell.hasTower)
                    fail(who() + " stands on high ground whose cell does not know it");
            } else if (!cell.platform) {
                fail(who() + " stands on low ground without a platform");
            } else if (cell.platform->tower != &tower) {
                fail(who() + " stands on a platform that does not carry it");
            }
        }
        for (std::size_t i = 0; i < ponds.size() && !failed(); ++i) {
            if (!LevelMap::onBoard(ponds[i]->x, ponds[i]->y))
                fail("pond " + std::to_string(i) + " is off the board");
        }
    }

    static inline std::vector<const Wolf*> liveWolves_;
    static inline std::vector<const Tower*> liveTowers_;
    static inline std::vector<const Platform*> livePlatforms_;
    std::string problem_;
};

} // namespace

std::string brokenWorldInvariant()
{
    return Checker().run();
}
