#include "wolves/wolf.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/object_slots.h"
#include "wolves/stone.h"
#include "world/world.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Sheet rows: 0 walking down, 1 left, 2 right, 3 up; each animation plays the
// middle, right, middle and left columns.
void fillAnimation(Animation& animation, const sf::Texture& sheet, int row)
{
    animation.texture = &sheet;
    const int top = 32 * row;
    animation.frames.assign({{32, top, 32, 32}, {64, top, 32, 32}, {32, top, 32, 32}, {0, top, 32, 32}});
}

// trunc(unitRandom() * total), from the draw r that unitRandom would turn
// into r / 2^32. While r * total stays below 2^53 the double product is
// exact, and so is the same figure in integers, which is quicker.
std::int32_t pickBelow(std::uint32_t r, std::int32_t total)
{
    if (total >= 0 && total < (1 << 21))
        return static_cast<std::int32_t>((static_cast<std::uint64_t>(r) * static_cast<std::uint64_t>(total)) >> 32);
    const double u = static_cast<double>(r) / 4294967296.0;
    return static_cast<std::int32_t>(u * total);
}

// The grid cell of each cell index.
struct CellPlaces
{
    CellPlaces()
    {
        for (int x = 0; x < LevelMap::gridColumns; ++x) {
            for (int y = 0; y < LevelMap::gridRows; ++y)
                of[LevelMap::cellIndex({x, y})] = {x, y};
        }
    }
    sf::Vector2i of[LevelMap::cellCount];
};
const CellPlaces cellPlaces;

// A walking wolf's frame time, 0.08 s over the pond factor.
const sf::Time frameTimeOutsidePonds = timeOfSeconds(0.08f / 0.5f);
const sf::Time frameTimeInPonds = timeOfSeconds(0.08f / 0.1f);

} // namespace

void* Wolf::operator new(std::size_t size)
{
    return ObjectSlots<512, 256>::shared().take(size);
}

void Wolf::operator delete(void* wolf, std::size_t size)
{
    ObjectSlots<512, 256>::shared().give(wolf, size);
}

Wolf::Wolf() = default;

Wolf::Wolf(int, int row)
{
    enter(row, 300, regularWolfTexture);
    baseSpeed = 1.0f;
    sprite.setFrameTime(sf::seconds(0.08f));
    sprite.play(walkRight);
    Wolf::findRoute();
}

Wolf::~Wolf() = default;

void Wolf::enter(int row, std::int32_t startHealth, const sf::Texture& sheet)
{
    state = WolfState::Walking;
    progress = 0.f;
    route.assign(1, sf::Vector2i(1, row));
    health = startHealth;
    maxHealth = startHealth;
    slowed = false;
    fillAnimation(walkDown, sheet, 0);
    fillAnimation(walkLeft, sheet, 1);
    fillAnimation(walkRight, sheet, 2);
    fillAnimation(walkUp, sheet, 3);
}

void Wolf::update(float dt)
{
    if (state != WolfState::Dying && state != WolfState::Dead && health <= 0) {
        onDeath();
        state = WolfState::Dying;
        stateTimer = 1.0f;
        for (Bullet* bullet : bullets) {
            if (bullet->target == this)
                bullet->finished = 1;
        }
    }

    if (route[0] == levelMap.home())
        levelLost = 1;

    float factor = 0.5f;
    sf::Vector2f at;
    bool placed = false;
    for (const Pond* pond : ponds) {
        if (pond->state != PondState::Full)
            continue;
        if (!placed) {
            at = position();
            placed = true;
        }
        const float dx = at.x - static_cast<float>(pond->x);
        const float dy = at.y - static_cast<float>(pond->y);
        if (dx * dx + dy * dy < 0.25f) {
            factor = 0.1f;
            break;
        }
    }
    sprite.setFrameTime(factor == 0.5f ? frameTimeOutsidePonds : frameTimeInPonds);

    if (slowed) {
        speed = baseSpeed * factor;
        slowTimer -= dt;
        if (slowTimer < 0.f)
            slowed = false;
    } else {
        speed = baseSpeed;
    }

    switch (state) {
    case WolfState::Walking:
        if (route.size() < 2)
            break;
        if (Platform* platform = levelMap.cell(route[1]).platform; platform && progress > 0.5f) {
            attackPlatform(platform);
            state = WolfState::Attacking;
            stateTimer = 1.0f;
        } else {
            walk(dt);
            sprite.update(timeOfSeconds(dt));
        }
        break;
    case WolfState::Attacking:
    case WolfState::Reloading:
        stateTimer -= dt * (slowed ? factor : 1.f);
        if (stateTimer < 0.f)
            state = WolfState::Walking;
        break;
    case WolfState::Stunned:
        stateTimer -= dt;
        if (stateTimer < 0.f)
            state = WolfState::Walking;
        break;
    case WolfState::KnockedBack:
        knockBack(dt);
        break;
    case WolfState::Dying:
        stateTimer -= dt;
        if (stateTimer < 0.f)
            state = WolfState::Dead;
        break;
    case WolfState::Dead:
        break;
    }
}

// Slides back at 3 cells a second, cell after cell, until a wall, a platform
// or the end of the two seconds stops it.
void Wolf::knockBack(float dt)
{
    stateTimer -= dt;
    if (stateTimer < 0.f) {
        // The push is over: the new route starts where the wolf is, so the
        // slide ends here rather than shifting a freshly computed route.
        state = WolfState::Walking;
        findRoute();
        return;
    }
    progress -= 3 * dt;
    if (progress >= 0.f)
        return;
    const sf::Vector2i behind = route[0] + knockStep;
    const bool blocked = route.size() < 2 || !LevelMap::inGrid(behind) ||
                         levelMap.cell(behind).terrain != LowGround || levelMap.cell(behind).platform;
    if (blocked) {
        route.resize(1);
        state = WolfState::Walking;
        findRoute();
    } else {
        route[0] += knockStep;
        route[1] += knockStep;
        progress += 1;
    }
}

void Wolf::walk(float dt)
{
    const std::size_t n = route.size();
    if (n >= 2)
        progress += speed * dt;
    if (n >= 3 && progress > 1) {
        const sf::Vector2i step = route[2] - route[1];
        if (step != route[1] - route[0]) {
            if (const Animation* animation = animationFor(step))
                sprite.play(*animation);
        }
    }
    if (n >= 2 && progress > 1) {
        route.erase(route.begin());
        progress -= 1;
    }
}

const Animation* Wolf::animationFor(sf::Vector2i step) const
{
    if (step == sf::Vector2i(1, 0))
        return &walkRight;
    if (step == sf::Vector2i(-1, 0))
        return &walkLeft;
    if (step == sf::Vector2i(0, 1))
        return &walkUp;
    if (step == sf::Vector2i(0, -1))
        return &walkDown;
    return nullptr;
}

void Wolf::faceFirstStep()
{
    if (route.size() < 2)
        return;
    if (const Animation* animation = animationFor(route[1] - route[0]))
        sprite.play(*animation);
}

void Wolf::findRoute()
{
    if (levelMap.cell(route[0]).homeDistance == -1) {
        findGroundRoute();
        return;
    }
    followField(&MapCell::homeDistance, &MapCell::homePaths);
}

void Wolf::findGroundRoute()
{
    followField(&MapCell::groundDistance, &MapCell::groundPaths);
}

void Wolf::followField(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths)
{
    if (route.size() >= 2) {
        route.resize(2);
        const std::int32_t d0 = levelMap.cell(route[0]).*distance;
        const std::int32_t d1 = levelMap.cell(route[1]).*distance;
        if (d0 < d1 || (d0 == d1 && progress > 0.5f)) {
            progress = 1 - progress;
            std::swap(route[0], route[1]);
        }
    }
    extendRoute(distance, paths);
    faceFirstStep();
}

void Wolf::extendRoute(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths)
{
    sf::Vector2i at = route.back();
    const std::int32_t steps = levelMap.cell(at).*distance;
    if (steps <= 0)
        return;
    const LevelMap::StepChoices& choices = levelMap.stepChoices(distance, paths);
    route.reserve(route.size() + static_cast<std::size_t>(steps));
    // Every step takes one draw, forced or not.
    std::int32_t n = steps;
    if (choices.bounded) {
        int c = LevelMap::cellIndex(at);
        while (n > 0) {
            const LevelMap::Choice& choice = choices.choice[c];
            if (choice.distance != n)
                break; // an inconsistent field: the careful way below
            if (choice.runLength > 0) {
                const int length = std::min<int>(choice.runLength, n);
                const sf::Vector2i* run = choices.runCells + choice.runStart;
                route.insert(route.end(), run, run + length);
                randomEngine.discard(static_cast<unsigned long long>(length));
                n -= length;
                c = LevelMap::cellIndex(route.back());
                continue;
            }
            const std::uint64_t r = static_cast<std::uint32_t>(randomEngine());
            c = choice.next[(r >= choice.bounds[0]) + (r >= choice.bounds[1]) + (r >= choice.bounds[2]) +
                            (r >= choice.bounds[3])];
            route.push_back(cellPlaces.of[c]);
            --n;
        }
        at = route.back();
    }
    // Fields with huge path counts, or a cell whose field is inconsistent.
    for (; n > 0; --n) {
        // The weights of the neighbours n - 1 steps away; the field's own
        // choices hold them whenever the wolf stands n steps away, as it does
        // unless the field is inconsistent.
        std::int32_t own[4] = {0, 0, 0, 0};
        const std::int32_t* weights = own;
        if (levelMap.cell(at).*distance == n) {
            weights = choices.weights[at.x][at.y];
        } else {
            for (int i = 0; i < 4; ++i) {
                const sf::Vector2i next = at + neighbourOffsets[i];
                if (LevelMap::inGrid(next) && levelMap.cell(next).*distance == n - 1) {
                    for (int j = i; j < 4; ++j)
                        own[j] += levelMap.cell(next).*paths;
                }
            }
        }
        const std::int32_t k = pickBelow(static_cast<std::uint32_t>(randomEngine()), weights[3]);
        for (int i = 0; i < 4; ++i) {
            if (k < weights[i]) {
                at += neighbourOffsets[i];
                break;
            }
        }
        route.push_back(at);
    }
}

void Wolf::onPlatformsChanged()
{
    if (state != WolfState::KnockedBack)
        findRoute();
}

void Wolf::throwStone(Tower* target)
{
    const sf::Vector2f at = position();
    stones.push_back(new Stone(at.x, at.y, target));
}

void Wolf::attackPlatform(Platform* platform)
{
    platform->health -= 10;
}

void Wolf::towerRoute()
{
    if (levelMap.cell(route[0]).towerDistance == -1) {
        Wolf::findRoute();
        return;
    }
    followField(&MapCell::towerDistance, &MapCell::towerPaths);
}

bool Wolf::throwAtTowerWithin(double reachSquared)
{
    // Towers of every state count, collapsed ones awaiting the sweep too.
    static std::vector<Tower*> inReach;
    inReach.clear();
    const sf::Vector2f at = position();
    for (Tower* tower : towers) {
        const float dx = at.x - static_cast<float>(tower->x);
        const float dy = at.y - static_cast<float>(tower->y);
        if (static_cast<double>(dx * dx + dy * dy) < reachSquared)
            inReach.push_back(tower);
    }
    if (inReach.empty())
        return false;
    const auto index = static_cast<std::size_t>(unitRandom() * static_cast<double>(inReach.size()));
    throwStone(inReach[index]);
    state = WolfState::Reloading;
    stateTimer = 2.0f;
    return true;
}
