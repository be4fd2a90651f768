#include "app/assets.h"

#include <gtest/gtest.h>

#include <random>

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
