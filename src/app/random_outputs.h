#pragma once
// Passing over outputs of a Mersenne Twister: the engine left exactly as that
// many calls would leave it, without tempering the outputs nobody reads, and
// with the 624-word state refilled in one straight pass that the compiler
// runs on whole vectors. A route takes one draw per step, forced or not, so a
// re-route of every wolf passes over hundreds of thousands of them.

#include <cstddef>
#include <random>

void skipOutputs(std::mt19937& engine, std::size_t count);
