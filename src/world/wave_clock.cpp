#include "world/wave_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Records in a row of the same duration, as one.
struct Run
{
    float duration;
    std::size_t count;
};

// Walks x over up to `count` records of duration d, as the float walk does
// record by record; returns how many it passed. While x stays within one
// binade, each float subtraction takes d rounded to that binade's grid (the
// same amount every time, unless d lies halfway between two grid points), so
// the steps within a binade are taken together.
std::size_t passRun(float& x, float d, std::size_t count)
{
    std::size_t passed = 0;
    while (passed < count && x > d) {
        if (std::isfinite(x) && d >= 0 && std::isfinite(d)) {
            if (d == 0)
                return count; // x - 0 is x
            int exponent = 0;
            std::frexp(static_cast<double>(x), &exponent); // x in [2^(exponent-1), 2^exponent)
            const double low = std::ldexp(1.0, exponent - 1);
            const double grid = std::ldexp(1.0, std::max(exponent - 24, -149));
            const double units = static_cast<double>(d) / grid;
            const double step = std::nearbyint(units) * grid;
            const double start = static_cast<double>(x);
            // Whether the i-th step from here (its exact result) stays in the binade; exact in double.
            const auto stays = [&](double i) { return start - i * step - low >= static_cast<double>(d); };
            if (units - std::floor(units) != 0.5 && stays(0)) {
                if (step == 0)
                    return count; // x keeps its value, and stays past d
                double fits = std::floor((start - low - static_cast<double>(d)) / step) + 1;
                while (fits > 1 && !stays(fits - 1))
                    --fits;
                while (stays(fits))
                    ++fits;
                const std::size_t taken = std::min(count - passed, static_cast<std::size_t>(fits));
                x = static_cast<float>(start - static_cast<double>(taken) * step);
                passed += taken;
                continue;
            }
        }
        x -= d;
        ++passed;
    }
    return passed;
}

// The float walk, a run of equal durations at a time: what the faster way
// below must always agree with, and what durations too fine for it take.
WavePlace walk(const std::vector<Run>& runs, float t)
{
    std::size_t index = 0;
    for (const Run& run : runs) {
        const std::size_t passed = passRun(t, run.duration, run.count);
        index += passed;
        if (passed < run.count)
            break;
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
std::vector<Run> runs; // of the list the cursor was made for
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
        runs.clear();
        for (const WaveRecord& record : waves) {
            // Equal durations bit for bit (a NaN stands alone).
            if (!runs.empty() && std::memcmp(&runs.back().duration, &record.duration, sizeof(float)) == 0 &&
                runs.back().duration == record.duration)
                ++runs.back().count;
            else
                runs.push_back({record.duration, 1});
        }
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
        place = walk(runs, t);
    askedStamp = waves.stamp();
    askedAt = t;
    answered = place;
    return place;
}
