#pragma once
// A homing projectile: each tick it moves a fixed distance straight towards
// its wolf, and hits when the wolf is within one step.

#include <cstdint>

class Wolf;

class Bullet
{
public:
    Bullet() = default;
    Bullet(float startX, float startY, Wolf* aimedAt, float cellsPerSecond = 5.0f)
        : x(startX), y(startY), target(aimedAt), speed(cellsPerSecond)
    {
    }
    virtual ~Bullet() = default;
    virtual void hit() = 0;

    void update(float dt); // one flight step

    float x = 0.f;
    float y = 0.f;
    Wolf* target = nullptr;
    float speed = 0.f;
    std::int32_t finished = 0;
};

// The arrow: -10 health.
class RegularBullet : public Bullet
{
public:
    using Bullet::Bullet;
    void hit() override;
};

// Ice: slows the wolf for five seconds.
class IceBullet : public Bullet
{
public:
    using Bullet::Bullet;
    void hit() override;
};
