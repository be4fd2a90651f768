#pragma once
// A tower the player builds on high ground or on a platform. Tower itself is
// the arrow tower: every two seconds it shoots a homing bullet at a random
// wolf within 5.5 cells. The other kinds replace the target search, the shot
// or the reaction to collapsing.

#include <SFML/Graphics/Texture.hpp>

#include <cstdint>

class Wolf;

enum class TowerState : std::int32_t
{
    Ready = 0,     // looks for a target every tick
    Reloading = 1, // has just acted
    Building = 2,  // has just been placed
    Collapsed = 3, // destroyed or demolished; removed at the end of the tick
};

class Tower
{
public:
    Tower(int column, int row);
    virtual ~Tower() = default;

    virtual void acquireTarget();
    virtual void fire(Wolf* wolf);
    virtual void onCollapse() {}
    virtual const sf::Texture& texture() const;

    // One tick: collapse at no health, regeneration, then the state's timer
    // or the target search.
    void update(float dt);

    TowerState state = TowerState::Ready;
    std::int32_t x;
    std::int32_t y;
    std::int32_t health = 100;
    float buildTime = 1.0f;
    float reloadTime = 2.0f;
    float timer = 0.f;
    float regenTimer = 1.0f;

protected:
    // Shoots at a random living wolf within 5.5 cells (only at unslowed ones
    // if asked), then reloads; with no such wolf it stays ready.
    void shootRandomWolf(bool onlyUnslowed);
};
