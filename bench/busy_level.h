#pragma once
// The benchmarks' fixed board, which no shipped level's changes can move: the
// flood map of bench/ (a serpentine path of 81 to 89 cells from the entry
// column to the home, between walls of high ground) with 20 towers, five of
// each kind, on the walls beside the path.
//
// flood-2000.txt and flood-10000.txt share the board; their first wave sends
// a regular and a hacking wolf every tick (at 30 ticks a second) for 33 s or
// 165 s, that is 2,000 or 10,000 wolves, then a quiet hour follows.

#include <cstddef>
#include <string>

// The flood map of a size (2000 or 10000) as a path.
std::string floodMap(int wolves);

// Places the 20 towers (arrow, ice, skunk and slap in turn) as a player
// would, each starting its build.
void placeFloodTowers();

struct BusyLevel
{
    std::size_t wolves = 0;
    std::size_t towers = 0;
    std::size_t projectiles = 0;
};

// The flood board with its 20 towers built and ready, a number of wolves of
// the six kinds in turn, each on a random low-ground cell at least three
// steps from the home and routed from there, and 60 bullets and 40 stones in
// flight. Clears the World first; the same wolf count always builds the same
// state.
BusyLevel setUpBusyLevel(int wolfCount);
