#include "wolves/wolf_kinds.h"

#include "app/assets.h"
#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "world/world.h"

RegularWolf::RegularWolf(int unused, int row) : Wolf(unused, row) {}
RegularWolf::~RegularWolf() = default;

BabyWolf::BabyWolf(int, int row)
{
    enter(row, 100, babyWolfTexture);
    sprite.setFrameTime(sf::seconds(0.08f));
    sprite.play(walkRight);
    Wolf::findRoute();
    health = 50;
    maxHealth = 50;
    baseSpeed = 3.0f;
}
BabyWolf::~BabyWolf() = default;

ThrowingWolf::ThrowingWolf(int, int row)
{
    enter(row, 50, throwingWolfTexture);
    baseSpeed = 1.0f;
    // No animation of its own: the route's first step picks it.
    towerRoute();
}
ThrowingWolf::~ThrowingWolf() = default;

void ThrowingWolf::findRoute()
{
    towerRoute();
}

void ThrowingWolf::onTowersChanged()
{
    onPlatformsChanged();
}

void ThrowingWolf::walk(float dt)
{
    if (!throwAtTowerWithin(6.25))
        Wolf::walk(dt);
}

SuicidalWolf::SuicidalWolf(int, int row)
{
    enter(row, 20, suicidalWolfTexture);
    baseSpeed = 2.0f;
    sprite.setFrameTime(sf::seconds(0.08f));
    sprite.play(walkRight);
    Wolf::findRoute();
}
SuicidalWolf::~SuicidalWolf() = default;

void SuicidalWolf::onDeath()
{
    // Up to 100 points at the wolf's own cell, nothing from 2.5 cells on.
    const sf::Vector2f at = position();
    auto damage = [&at](int x, int y) {
        const float dx = at.x - static_cast<float>(x);
        const float dy = at.y - static_cast<float>(y);
        const float squared = dx * dx + dy * dy;
        return squared < 6.25f ? static_cast<std::int32_t>((1 - squared / 6.25f) * -100.f) : 0;
    };
    for (Tower* tower : towers)
        tower->health += damage(tower->x, tower->y);
    for (Platform* platform : platforms)
        platform->health += damage(platform->x, platform->y);
    playEffect(explodeSound);
}

HackingWolf::HackingWolf(int, int row)
{
    enter(row, 80, hackingWolfTexture);
    baseSpeed = 1.0f;
    sprite.setFrameTime(sf::seconds(0.08f));
    sprite.play(walkRight);
    HackingWolf::findRoute();
}
HackingWolf::~HackingWolf() = default;

// Heads for the home over the ground, but turns off to the nearest platform
// as soon as its way passes within three steps of one.
void HackingWolf::findRoute()
{
    findGroundRoute();
    auto platformDistance = [](sf::Vector2i cell) { return levelMap.cell(cell).platformDistance; };
    if (platformDistance(route[0]) == -1)
        return;
    if (route.size() == 1) {
        if (platformDistance(route[0]) > 3)
            return;
    } else {
        const std::int32_t a = platformDistance(route[0]);
        const std::int32_t b = platformDistance(route[1]);
        if (a <= 3 && (a < b || (a == b && progress < 0.5f))) {
            std::swap(route[0], route[1]);
            progress = 1 - progress;
            route.resize(2);
        } else {
            std::size_t near = 1;
            while (near < route.size() && platformDistance(route[near]) > 3)
                ++near;
            if (near == route.size())
                return;
            route.resize(near + 1);
        }
    }
    extendRoute(&MapCell::platformDistance, &MapCell::platformPaths);
    faceFirstStep();
}

void HackingWolf::attackPlatform(Platform* platform)
{
    platform->health -= 20;
}

CatapultWolf::CatapultWolf(int, int row)
{
    enter(row, 10, catapultWolfTexture);
    baseSpeed = 1.0f;
    towerRoute();
}
CatapultWolf::~CatapultWolf() = default;

void CatapultWolf::findRoute()
{
    towerRoute();
}

void CatapultWolf::onTowersChanged()
{
    onPlatformsChanged();
}

void CatapultWolf::walk(float dt)
{
    // Still in the entry column, the engine is not set up yet.
    if (position().x <= 1.9f || !throwAtTowerWithin(72.25))
        Wolf::walk(dt);
}

void CatapultWolf::throwStone(Tower* target)
{
    const sf::Vector2f at = position();
    stones.push_back(new CatapultStone(at.x, at.y, target));
}
