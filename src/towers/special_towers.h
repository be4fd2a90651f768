#pragma once
// The three towers that do something other than shoot arrows. They keep the
// arrow tower's numbers, update and states.

#include "towers/tower.h"

// Shoots ice at wolves within 5.5 cells that are not slowed yet.
class IceTower : public Tower
{
public:
    using Tower::Tower;
    void acquireTarget() override;
    void fire(Wolf* wolf) override; // an ice bullet, silently
    const sf::Texture& texture() const override;
};

// Never shoots; when it collapses after it was built it stuns every wolf
// within 2.5 cells for five seconds.
class SkunkTower : public Tower
{
public:
    using Tower::Tower;
    void acquireTarget() override {}
    void onCollapse() override;
    const sf::Texture& texture() const override;
};

// Knocks back a wolf that walks past one of its four side cells.
class SlapTower : public Tower
{
public:
    using Tower::Tower;
    void acquireTarget() override;
    const sf::Texture& texture() const override;
};
