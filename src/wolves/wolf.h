#pragma once
// The enemy. A wolf enters at the left edge and walks cell by cell along a
// route computed from the grid's distance fields: normally a shortest way to
// the home, picked at random among the equally short ones. It bites platforms
// in its way, is slowed by ice, stunned by the skunk tower, knocked back by
// the slap tower, and dies when its health runs out. The six kinds differ in
// their numbers, their sprite sheet and a few virtual operations.

#include "ui/animated_sprite.h"
#include "world/level_map.h"

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

class Platform;
class Tower;

enum class WolfState : std::int32_t
{
    Walking = 0,
    Attacking = 1,   // has just bitten a platform
    Reloading = 2,   // has just thrown a stone
    Stunned = 3,
    KnockedBack = 4, // slides back the way it came
    Dying = 5,       // shown for a second, then dead
    Dead = 6,        // removed at the end of the tick
};

class Wolf
{
public:
    Wolf(); // empty: for kinds that set everything themselves
    // The standard (regular) wolf entering at the given row; the first
    // argument is not used.
    Wolf(int unused, int row);
    virtual ~Wolf() = 0;

    // Every tick walks all the wolves, so they are kept side by side in
    // blocks of their own rather than scattered over the heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* wolf, std::size_t size);

    virtual void findRoute(); // shortest way home
    virtual void onTowersChanged() {}
    virtual void onPlatformsChanged(); // re-routes unless knocked back
    virtual void walk(float dt);
    virtual void throwStone(Tower* target);
    virtual void attackPlatform(Platform* platform); // -10 health
    virtual void onDeath() {}
    virtual float radius() const { return 16.0f; }

    // One tick: death, the home test, pond and ice, then the state's work.
    void update(float dt);
    // Where the wolf is, between its first two route cells.
    sf::Vector2f position() const
    {
        if (route.size() >= 2) {
            const sf::Vector2i first = route[0], second = route[1];
            return {static_cast<float>(first.x) * (1 - progress) + static_cast<float>(second.x) * progress,
                    static_cast<float>(first.y) * (1 - progress) + static_cast<float>(second.y) * progress};
        }
        if (route.size() == 1)
            return {static_cast<float>(route[0].x), static_cast<float>(route[0].y)};
        return {0.f, 0.f};
    }
    // The way home ignoring platforms, through which the wolf will bite.
    void findGroundRoute();
    // Turns the sprite towards the first step of the route.
    void faceFirstStep();

    // What every tick reads comes first, side by side in memory; the sprite
    // with its transform and the animations follow.
    // (The speeds too, so that a tick reads one line of the wolf before its
    // sprite; the knock-back's step, seldom read, comes after.)
    WolfState state = WolfState::Walking;
    bool slowed = false;
    float slowTimer = 0.f;
    float stateTimer = 0.f;
    float speed = 0.f;
    float baseSpeed = 0.f;
    // Cells still to walk: the one being left, then the one being entered.
    std::vector<sf::Vector2i> route;
    float progress = 0.f;
    std::int32_t health = 0;
    std::int32_t maxHealth = 0;
    sf::Vector2i knockStep;
    AnimatedSprite sprite{sf::seconds(0.2f)};
    Animation walkDown;
    Animation walkUp;
    Animation walkLeft;
    Animation walkRight;

protected:
    // What every kind's construction shares: entry cell, health, sprite sheet.
    void enter(int row, std::int32_t startHealth, const sf::Texture& sheet);
    // Cuts the route to the step under way (turning back if the field says the
    // cell being left is closer), extends it along the field and faces it.
    void followField(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths);
    // Appends cells from the route's end, one step closer each, down to 0.
    void extendRoute(std::int32_t MapCell::*distance, std::int32_t MapCell::*paths);
    // The walk animation of a one-cell step; none for any other step.
    const Animation* animationFor(sf::Vector2i step) const;

    // Shared by the two tower-hunting kinds: the route towards the nearest
    // towers (home when none can be reached), and a throw at a random tower
    // within reach, which returns false when there is none.
    void towerRoute();
    bool throwAtTowerWithin(double reachSquared);

private:
    void knockBack(float dt);
};
