// Shared by the bare reference program and the game's flood driver, so that
// both time their frames the same way: each phase runs frames for some
// seconds after half a second of warm-up that is not counted, and reports
// the median frame.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct PhaseTimes
{
    std::vector<double> frames; // milliseconds each, counted frames only
    double seconds = 0;         // wall time of the counted frames
};

// Calls frame(counting) until the warm-up and the given seconds are over;
// counting is false during the warm-up.
template <typename Frame>
PhaseTimes timePhase(double seconds, Frame frame)
{
    PhaseTimes times;
    const Clock::time_point begin = Clock::now();
    Clock::time_point counted = begin;
    bool counting = false;
    while (msSince(begin) < 500 + seconds * 1000) {
        if (!counting && msSince(begin) >= 500) {
            counting = true;
            counted = Clock::now();
        }
        const Clock::time_point frameStart = Clock::now();
        frame(counting);
        if (counting)
            times.frames.push_back(msSince(frameStart));
    }
    times.seconds = msSince(counted) / 1000;
    return times;
}

} // namespace bench
