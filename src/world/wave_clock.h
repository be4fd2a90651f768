#pragma once
// Where a level time falls among the wave records: the record whose period
// it is in and the time into that period. The records are walked from the
// first, subtracting each duration in float in turn while the time is past
// it; the answer is exactly that walk's, found in constant time for a clock
// that runs forward.

#include "datafiles/map_data.h"

#include <cstddef>

struct WavePlace
{
    std::size_t index; // the list's size when the records have run out
    float into;        // seconds into the record's period
};

WavePlace currentWave(const WaveList& waves, float t);
