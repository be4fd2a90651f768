#pragma once
// The rules that tie the World's lists and the grid together, checked as a
// whole: wolf routes step between neighbouring cells inside the grid, bullets
// and stones aim at objects still in their lists, cells, platforms and towers
// point at each other consistently, and no position is NaN. The soak driver
// and the map fuzzer check them after every tick.

#include <string>

// A description of the first broken rule, or an empty string when all hold.
std::string brokenWorldInvariant();
