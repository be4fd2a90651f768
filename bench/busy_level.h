#pragma once
// A documented, seeded set-up of a busy level for the benchmarks: level 3's
// map with 60 towers of all four kinds on its high ground, a number of wolves
// of mixed kinds walking from random low-ground cells towards the home, and
// about 100 bullets and stones in flight.

#include <cstddef>

struct BusyLevel
{
    std::size_t wolves = 0;
    std::size_t towers = 0;
    std::size_t projectiles = 0;
};

// Clears the World and builds the set-up again; the same wolf count always
// builds the same state.
BusyLevel setUpBusyLevel(int wolfCount);
