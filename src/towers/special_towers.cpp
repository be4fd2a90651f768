#include "towers/special_towers.h"

#include "app/assets.h"
#include "towers/bullet.h"
#include "towers/wolf_scan.h"
#include "wolves/wolf.h"
#include "world/level_map.h"
#include "world/world.h"

#include <cstdlib>
#include <vector>

void IceTower::acquireTarget()
{
    shootRandomWolf(true);
}

void IceTower::fire(Wolf* wolf)
{
    bullets.push_back(new IceBullet(static_cast<float>(x), static_cast<float>(y), wolf));
}

const sf::Texture& IceTower::texture() const
{
    return iceTowerTexture;
}

void SkunkTower::onCollapse()
{
    // Only a finished tower bursts; one destroyed while building does not.
    if (state != TowerState::Ready)
        return;
    for (Wolf* wolf : wolves) {
        const sf::Vector2f at = wolf->position();
        const float dx = static_cast<float>(x) - at.x;
        const float dy = static_cast<float>(y) - at.y;
        if (dx * dx + dy * dy < 6.25f) {
            wolf->state = WolfState::Stunned;
            wolf->stateTimer = 5.0f;
        }
    }
    // A dying wolf stunned here becomes a target again.
    wolfScan.forget();
}

const sf::Texture& SkunkTower::texture() const
{
    return skunkTowerTexture;
}

namespace {

// A wolf is slapped while it is within half a cell of the centre of one of
// the tower's side cells and walking along that side, not towards or away.
bool besideCell(sf::Vector2i cell, sf::Vector2i tower)
{
    return std::abs(cell.x - tower.x) + std::abs(cell.y - tower.y) == 1;
}

bool passingBeside(const WolfScan::Step& wolf, sf::Vector2i tower)
{
    const sf::Vector2i leaving = wolf.leaving, entering = wolf.entering;
    // Most wolves are nowhere near: neither cell of their step touches the tower.
    if (!besideCell(leaving, tower) && !besideCell(entering, tower))
        return false;
    const sf::Vector2i step = entering - leaving;
    for (int i = 0; i < 4; ++i) {
        const sf::Vector2i side = tower + neighbourOffsets[i];
        const bool alongSide = step == neighbourOffsets[(i + 1) % 4] || step == neighbourOffsets[(i + 3) % 4];
        if (leaving == side)
            return alongSide && wolf.progress < 0.5f;
        if (entering == side)
            return alongSide && wolf.progress > 0.5f;
    }
    return false;
}

} // namespace

void SlapTower::acquireTarget()
{
    static std::vector<Wolf*> candidates;
    candidates.clear();
    // Only wolves on a step touching a side cell can pass beside the tower;
    // what the test reads of them (state, step, progress) is noted packed.
    for (std::size_t i : wolfScan.besideCell({x, y})) {
        if (wolfScan.canBeTarget(i) && passingBeside(wolfScan.step(i), {x, y}))
            candidates.push_back(wolves[i]);
    }
    if (candidates.empty())
        return;
    const auto index = static_cast<std::size_t>(unitRandom() * static_cast<double>(candidates.size()));
    Wolf* wolf = candidates[index];
    wolf->state = WolfState::KnockedBack;
    wolf->knockStep = wolf->route[0] - wolf->route[1];
    wolf->stateTimer = 2.0f;
    wolf->route.resize(2);
    state = TowerState::Reloading;
    timer = reloadTime;
}

const sf::Texture& SlapTower::texture() const
{
    return slapTowerTexture;
}
