#include "app/assets.h"
#include "world/level_map.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The game's whole random sequence hangs on unitRandom taking exactly one
// engine output per value; two per value would shift every later draw.
TEST(UnitRandom, TakesOneEngineOutputPerValue)
{
    std::mt19937 engine; // seed 5489, like randomEngine
    const double outputs[] = {3499211612.0, 581869302.0, 3890346734.0, 3586334585.0};
    for (double output : outputs)
        EXPECT_EQ(unitRandom(engine), output / 4294967296.0);
    EXPECT_NEAR(outputs[0] / 4294967296.0, 0.81472369, 1e-8);

    std::mt19937 reference;
    reference.discard(4);
    EXPECT_EQ(engine(), reference());
}

namespace {
struct FixedEngine
{
    std::uint32_t value;
    std::uint32_t operator()() const { return value; }
};
} // namespace

// Choices among n candidates take index trunc(u * n): u must split the
// outputs exactly at 2^31 and never reach 1.
TEST(UnitRandom, DividesByTwoToTheThirtyTwo)
{
    FixedEngine half{0x80000000u}, belowHalf{0x7FFFFFFFu}, largest{0xFFFFFFFFu}, zero{0u};
    EXPECT_EQ(static_cast<int>(unitRandom(half) * 2), 1);
    EXPECT_EQ(static_cast<int>(unitRandom(belowHalf) * 2), 0);
    EXPECT_LT(unitRandom(largest), 1.0);
    EXPECT_EQ(static_cast<int>(unitRandom(largest) * 9), 8);
    EXPECT_EQ(unitRandom(zero), 0.0);
}

// A route step's bound on the 32-bit draw picks what trunc(u * total) < w
// picks, for the totals a board can reach (below 2^21), at and around the
// bounds and at random draws.
TEST(UnitRandom, ChoiceBoundsPickAsTheProductDoes)
{
    std::mt19937 engine;
    const std::int32_t totals[] = {1, 2, 3, 7, 10, 12, 97, 1000, 65537, 490314, (1 << 21) - 1};
    for (std::int32_t total : totals) {
        for (std::int32_t weight : {0, 1, total / 3, total / 2, total - 1, total}) {
            const std::uint64_t bound = LevelMap::choiceBound(weight, total);
            std::vector<std::uint64_t> draws = {0, 0xFFFFFFFFu, bound, bound - 1, bound + 1};
            for (int i = 0; i < 2000; ++i)
                draws.push_back(engine());
            for (std::uint64_t draw : draws) {
                if (draw > 0xFFFFFFFFu)
                    continue;
                const FixedEngine fixed{static_cast<std::uint32_t>(draw)};
                const bool below = static_cast<std::int32_t>(unitRandom(fixed) * total) < weight;
                EXPECT_EQ(draw < bound, below) << draw << " of " << weight << " / " << total;
            }
        }
    }
}
