#pragma once
// The six kinds of wolf. Each is built with two integers, of which the second
// is the start row (the spawner passes the row for both).

#include "wolves/wolf.h"

// The standard wolf: 300 health, one cell a second, straight for the home.
class RegularWolf : public Wolf
{
public:
    RegularWolf(int unused, int row);
    ~RegularWolf() override;
};

// A fast, fragile cub: 50 health, three cells a second.
class BabyWolf : public Wolf
{
public:
    BabyWolf(int unused, int row);
    ~BabyWolf() override;
};

// Hunts towers and throws stones at the ones within 2.5 cells.
class ThrowingWolf : public Wolf
{
public:
    ThrowingWolf(int unused, int row);
    ~ThrowingWolf() override;
    void findRoute() override; // towards the nearest towers
    void onTowersChanged() override;
    void walk(float dt) override;
};

// Blows up when it dies, hurting the towers and platforms around it.
class SuicidalWolf : public Wolf
{
public:
    SuicidalWolf(int unused, int row);
    ~SuicidalWolf() override;
    void onDeath() override;
};

// Turns off its way home to chop nearby platforms, twice as hard.
class HackingWolf : public Wolf
{
public:
    HackingWolf(int unused, int row);
    ~HackingWolf() override;
    void findRoute() override;
    void attackPlatform(Platform* platform) override; // -20 health
};

// Pushes a catapult: once off the entry column it throws light stones at any
// tower within 8.5 cells.
class CatapultWolf : public Wolf
{
public:
    CatapultWolf(int unused, int row);
    ~CatapultWolf() override;
    void findRoute() override; // towards the nearest towers
    void onTowersChanged() override;
    void walk(float dt) override;
    void throwStone(Tower* target) override;
};
