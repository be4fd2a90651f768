#include "wolves/stone.h"

#include "towers/tower.h"
#include "wolves/object_slots.h"
#include "world/world.h"

#include <cmath>

void* Stone::operator new(std::size_t size)
{
    return ObjectSlots<96, 512>::shared().take(size);
}

void Stone::operator delete(void* stone, std::size_t size)
{
    ObjectSlots<96, 512>::shared().give(stone, size);
}

Stone::Stone(float sx, float sy, Tower* aimedAt)
    : x(sx), y(sy), z(0.f), startX(sx), startY(sy), startZ(0.f), target(aimedAt)
{
    const float tx = static_cast<float>(target->x);
    const float ty = static_cast<float>(target->y);
    const float squared = (tx - sx) * (tx - sx) + (ty - sy) * (ty - sy);
    const float distance = static_cast<float>(std::sqrt(static_cast<double>(squared)));
    flightTime = distance / 5.0f;
    // Thrown from the target's own cell the stone hits on its first step;
    // direction and climb stay 0 so that a step of no time cannot make NaN.
    if (distance > 0.f) {
        dirX = (tx - sx) / distance;
        dirY = (ty - sy) / distance;
        verticalSpeed = ((distance * distance * 15.0f / distance) / 25.0f + 75.0f) * 5.0f / distance;
    }
}

void Stone::hit()
{
    target->health -= 40;
}

void CatapultStone::hit()
{
    target->health -= 10;
}

void Stone::update(float dt)
{
    time += dt;
    if (time > flightTime) {
        finished = 1;
        hit();
        return;
    }
    x = dirX * time * speed + startX;
    y = dirY * time * speed + startY;
    z = verticalSpeed * time - time * time * (gravity * 0.5f);
}

void finishStonesAimedAt(const Tower* tower)
{
    for (Stone* stone : stones) {
        if (stone->target == tower)
            stone->finished = 1;
    }
}
