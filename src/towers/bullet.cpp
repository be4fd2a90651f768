#include "towers/bullet.h"

#include "wolves/wolf.h"

#include <cmath>

void Bullet::update(float dt)
{
    const sf::Vector2f at = target->position();
    const float dx = x - at.x;
    const float dy = y - at.y;
    const float step = speed * dt;
    if (step * step > dx * dx + dy * dy) {
        finished = 1;
        hit();
        return;
    }
    const float distance = std::sqrt(dx * dx + dy * dy);
    // Standing exactly on the target with a step of no time: nothing to do.
    if (distance == 0.f)
        return;
    x = x - step * dx / distance;
    y = y - step * dy / distance;
}

void RegularBullet::hit()
{
    target->health -= 10;
}

void IceBullet::hit()
{
    target->slowed = true;
    target->slowTimer = 5.0f;
}
