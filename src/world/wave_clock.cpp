#include "world/wave_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// The float walk, over the durations alone, side by side in memory: what the
// faster way below must always agree with, and what durations too fine for
// it take.
WavePlace walk(const std::vector<float>& durations, float t)
{
    std::size_t index = 0;
    for (const float duration : durations) {
        if (!(t > duration))
            return {index, t};
        t -= duration;
        ++index;
    }
    return {index, t};
}

// The largest power of two that a positive finite float is a whole multiple of.
double lowestBit(float value)
{
    int exponent = 0;
    const double mantissa = std::frexp(static_cast<double>(value), &exponent); // value = mantissa * 2^exponent
    const auto bits = static_cast<std::uint32_t>(std::ldexp(mantissa, 24));
    return std::ldexp(static_cast<double>(bits & (~bits + 1)), exponent - 24);
}

// The spacing of floats at a positive time.
double spacingAt(float t)
{
    int exponent = 0;
    std::frexp(static_cast<double>(t), &exponent);
    return std::ldexp(1.0, std::max(exponent - 24, -149));
}

// The walk remembered up to a record: the exact sum of the durations before
// it, and the grain they share. While every duration before the record is a
// whole multiple of a grain no finer than the spacing of floats at t, each
// float subtraction of the walk is exact, so the walk's time into the record
// is t less that sum, and the walk passes a record exactly when t is past the
// sum up to its end.
struct Cursor
{
    std::uint64_t stamp = 0;
    std::size_t index = 0;
    double start = 0;
    double grain = std::numeric_limits<double>::infinity();
    bool exact = true; // durations so far finite, not negative, summed without rounding
};

Cursor cursor;
std::vector<float> durations; // of the list the cursor was made for
// The last answer: the six kinds of a tick ask at the same time.
std::uint64_t askedStamp = 0;
float askedAt = 0;
WavePlace answered{0, 0};

void stepPast(const WaveRecord& record)
{
    const float duration = record.duration;
    if (!(duration >= 0) || !std::isfinite(duration)) {
        cursor.exact = false;
    } else if (duration > 0) {
        cursor.grain = std::min(cursor.grain, lowestBit(duration));
        cursor.exact = cursor.exact && cursor.start + duration <= std::ldexp(cursor.grain, 53);
    }
    cursor.start += static_cast<double>(duration);
    ++cursor.index;
}

} // namespace

WavePlace currentWave(const WaveList& waves, float t)
{
    if (askedStamp == waves.stamp() && askedAt == t)
        return answered;
    const bool positive = t > 0 && std::isfinite(t);
    const double time = static_cast<double>(t);
    if (cursor.stamp != waves.stamp()) {
        durations.clear();
        for (const WaveRecord& record : waves)
            durations.push_back(record.duration);
    }
    if (cursor.stamp != waves.stamp() || !positive || !(time > cursor.start))
        cursor = Cursor{waves.stamp()};
    // Within the grain, t less the sum so far is exact, and so is its
    // comparison with the next duration.
    const double spacing = positive ? spacingAt(t) : 0;
    const auto pastRecord = [&] { return time - cursor.start > static_cast<double>(waves[cursor.index].duration); };
    while (positive && cursor.exact && cursor.grain >= spacing && cursor.index < waves.size() && pastRecord())
        stepPast(waves[cursor.index]);
    WavePlace place;
    const auto sound = [&] {
        const float duration = waves[cursor.index].duration;
        return duration >= 0 && std::isfinite(duration) && !pastRecord();
    };
    if (positive && cursor.exact && cursor.grain >= spacing && (cursor.index == waves.size() || sound()))
        place = {cursor.index, static_cast<float>(time - cursor.start)};
    else
        place = walk(durations, t);
    askedStamp = waves.stamp();
    askedAt = t;
    answered = place;
    return place;
}
