#pragma once
// A stone thrown by a wolf at a tower: it flies straight over the ground at a
// fixed speed while rising, and takes health from the tower when it arrives.

#include <cstddef>
#include <cstdint>

class Tower;

class Stone
{
public:
    Stone(float startX, float startY, Tower* target);
    virtual ~Stone() = default;

    // Wolves throw stones by the thousand on a crowded board: slots of their own.
    static void* operator new(std::size_t size);
    static void operator delete(void* stone, std::size_t size);
    virtual void hit(); // -40 health

    // One flight step; on the first step past the flight time it hits instead.
    void update(float dt);

    std::int32_t finished = 0;
    float x, y, z;
    float startX, startY, startZ;
    Tower* target;
    float speed = 5.0f;
    float gravity = 15.0f;
    float verticalSpeed = 0.f;
    float time = 0.f;
    float flightTime = 0.f;
    float dirX = 0.f, dirY = 0.f;
};

// The catapult's lighter stone: the same flight, -10 health.
class CatapultStone : public Stone
{
public:
    using Stone::Stone;
    void hit() override;
};

// Finishes every stone aimed at a tower that is going away, so that no stone
// outlives its target.
void finishStonesAimedAt(const Tower* tower);
