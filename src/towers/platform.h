#pragma once
// A wooden platform on low ground. It blocks the wolves' way, so they bite
// it, and it can carry one tower; when it collapses the tower goes with it.

#include <cstdint>

class Tower;

enum class PlatformState : std::int32_t
{
    Standing = 0,
    Building = 1,  // just placed; already blocks and carries
    Destroyed = 2, // removed at the end of the tick
};

class Platform
{
public:
    Platform(int column, int row);
    virtual ~Platform() = default;

    // One tick: collapse at no health, regeneration, the building timer.
    void update(float dt);

    PlatformState state = PlatformState::Standing;
    std::int32_t x;
    std::int32_t y;
    std::int32_t health = 100;
    Tower* tower = nullptr; // owned by the World's tower list
    float timer = 0.f;
    float regenTimer = 1.0f;
};
