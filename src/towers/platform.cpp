#include "towers/platform.h"

#include "towers/tower.h"
#include "wolves/stone.h"

Platform::Platform(int column, int row) : x(column), y(row) {}

void Platform::update(float dt)
{
    if (health <= 0) {
        state = PlatformState::Destroyed;
        if (tower) {
            // The tower is already collapsed when it hears of it, so a skunk
            // tower falling with its platform does not burst.
            tower->state = TowerState::Collapsed;
            tower->onCollapse();
            finishStonesAimedAt(tower);
        }
    } else if (health < 100) {
        regenTimer -= dt;
        if (regenTimer < 0.f) {
            health += 1;
            regenTimer = 1.0f;
        }
    }
    if (state == PlatformState::Building) {
        timer -= dt;
        if (timer < 0.f)
            state = PlatformState::Standing;
    }
}
