// The shipped levels, played headless: each is lost undefended, won by its
// build plan and lost by that plan without its last third; the plans grow
// from level to level; and a golden hash pins the whole simulation.

#include "plans.h"
#include "playtest.h"

#include "world/level.h"
#include "world/map_data.h"

#include <gtest/gtest.h>

#include <cinttypes>

namespace {

// Long enough for every level, short enough to notice one that never ends.
constexpr int tickLimit = 30 * 900;

// The world's state after this many ticks of each level's plan.
constexpr int goldenTick = 3000;
const std::uint64_t goldenHashes[3] = {
    0x64f6c1bfd6bf594bull,
    0x1a90eb882c255e29ull,
    0xcb1e7549132423c1ull,
};

// Each playtest leaves its level in the World; empty it before the program ends.
class EmptyTheWorldAtExit : public testing::Environment
{
    void TearDown() override { clearWorld(); }
};
testing::Environment* const emptyTheWorldAtExit = testing::AddGlobalTestEnvironment(new EmptyTheWorldAtExit);

class ShippedLevel : public testing::TestWithParam<int>
{
protected:
    float waveTime() const
    {
        loadLevel(GetParam());
        return mapData.totalWaveTime;
    }
};

} // namespace

TEST_P(ShippedLevel, LastsThreeToSixMinutes)
{
    EXPECT_GE(waveTime(), 180.f);
    EXPECT_LE(waveTime(), 360.f);
}

TEST_P(ShippedLevel, IsLostWithoutDefenceBeforeItsWavesEnd)
{
    const float waves = waveTime();
    const PlayResult undefended = playtest(GetParam(), {}, tickLimit);
    EXPECT_TRUE(undefended.lost);
    EXPECT_LT(undefended.seconds, waves);
}

TEST_P(ShippedLevel, IsWonByItsPlanAndLostWithoutItsLastThird)
{
    const BuildPlan& plan = levelPlan(GetParam());
    const PlayResult full = playtest(GetParam(), plan, tickLimit);
    EXPECT_TRUE(full.won) << "lost at " << full.seconds << " s";
    EXPECT_EQ(full.skipped, 0) << "every placement of the plan fits the board";

    const PlayResult partial = playtest(GetParam(), firstTwoThirds(plan), tickLimit);
    EXPECT_TRUE(partial.lost) << "ended at " << partial.seconds << " s, won " << partial.won;
}

TEST_P(ShippedLevel, MatchesItsGoldenRun)
{
    const PlayResult run = playtest(GetParam(), levelPlan(GetParam()), goldenTick, goldenTick);
    ASSERT_EQ(run.ticks, goldenTick);
    char printed[32];
    std::snprintf(printed, sizeof printed, "0x%016" PRIx64, run.hashAtTick);
    EXPECT_EQ(run.hashAtTick, goldenHashes[GetParam() - 1])
        << "level " << GetParam() << " now hashes to " << printed
        << ": random draws or arithmetic changed (update the value only on purpose)";
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, testing::Values(1, 2, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Level" + std::to_string(info.param);
                         });

TEST(LevelPlans, GrowFromLevelToLevel)
{
    int previous = 0;
    for (int level = 1; level <= 3; ++level) {
        const int placed = placementCount(playtest(level, levelPlan(level), tickLimit));
        EXPECT_GT(placed, previous) << "level " << level;
        previous = placed;
    }
}

TEST(LevelPlans, AddNewWolfKindsLevelByLevel)
{
    auto kindsIn = [](int level) {
        loadLevel(level);
        std::vector<int> kinds;
        for (int kind = 0; kind < wolfKindCount; ++kind) {
            for (const WaveRecord& record : mapData.waves) {
                if (record.peakRate[kind] > 0.f) {
                    kinds.push_back(kind);
                    break;
                }
            }
        }
        return kinds;
    };
    EXPECT_EQ(kindsIn(1), (std::vector<int>{0, 1}));
    EXPECT_EQ(kindsIn(2), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(kindsIn(3), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}
