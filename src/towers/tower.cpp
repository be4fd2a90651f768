#include "towers/tower.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/wolf_scan.h"
#include "wolves/stone.h"
#include "wolves/wolf.h"
#include "world/world.h"

#include <vector>

Tower::Tower(int column, int row) : x(column), y(row) {}

const sf::Texture& Tower::texture() const
{
    return towerTexture;
}

void Tower::update(float dt)
{
    if (health <= 0) {
        onCollapse();
        state = TowerState::Collapsed;
        finishStonesAimedAt(this);
        playEffect(towerCollapseSound);
    } else if (health < 100) {
        regenTimer -= dt;
        if (regenTimer < 0.f) {
            health += 1;
            regenTimer = 1.0f;
        }
    }

    switch (state) {
    case TowerState::Ready:
        acquireTarget();
        break;
    case TowerState::Reloading:
    case TowerState::Building:
        timer -= dt;
        if (timer < 0.f)
            state = TowerState::Ready;
        break;
    case TowerState::Collapsed:
        break;
    }
}

void Tower::shootRandomWolf(bool onlyUnslowed)
{
    const WolfScan::Indices candidates = wolfScan.withinReach({x, y}, onlyUnslowed);
    if (candidates.empty())
        return;
    const auto index = static_cast<std::size_t>(unitRandom() * static_cast<double>(candidates.size()));
    fire(wolves[candidates[index]]);
    state = TowerState::Reloading;
    timer = reloadTime;
}

void Tower::acquireTarget()
{
    shootRandomWolf(false);
}

void Tower::fire(Wolf* wolf)
{
    bullets.push_back(new RegularBullet(static_cast<float>(x), static_cast<float>(y), wolf));
    playEffect(towerShootSound);
}
