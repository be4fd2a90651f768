#pragma once
// A fingerprint of the World: every object's kind, state, position and
// health, and the level clock. Two runs that went the same way have the same
// hash; the level lab's golden runs and the replay of a recording compare it.

#include <cstdint>

class Wolf;
class Tower;

std::uint64_t hashWorld();

// A wolf's kind as its index in the wave records (regular 0 ... catapult 5).
int wolfKindOf(const Wolf* wolf);
// A tower's type code: 0 arrow, 1 ice, 2 skunk, 3 slap.
int towerTypeOf(const Tower* tower);
