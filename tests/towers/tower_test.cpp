// The arrow tower: building, targets, reloading, regeneration and collapse.

#include "support/world_fixture.h"

#include "towers/bullet.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf_kinds.h"

namespace {

class TowerTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        load(field);
        placeTower(0, 8, 1);
        tower = towers[0];
    }

    RegularWolf* wolfAt(float x, float y)
    {
        RegularWolf* wolf = addWolf<RegularWolf>(5);
        wolf->route = {{static_cast<int>(x), static_cast<int>(y)}};
        return wolf;
    }

    static inline const std::vector<std::string> field = {
        "................", "................", "................", "................",
        "...............H", "................", "................", "................",
        "################"};
    Tower* tower = nullptr;
};

} // namespace

TEST_F(TowerTest, BuildsForASecondThenShootsEveryTwoSeconds)
{
    EXPECT_EQ(tower->state, TowerState::Building);
    EXPECT_EQ(tower->timer, 1.0f);
    wolfAt(8, 4);
    run(1.0f);
    EXPECT_TRUE(bullets.empty());
    run(0.25f);
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_EQ(bullets[0]->x, 8.f);
    EXPECT_EQ(tower->state, TowerState::Reloading);
    EXPECT_EQ(tower->timer, 2.0f);
    EXPECT_NE(dynamic_cast<RegularBullet*>(bullets[0]), nullptr);
    bool shotHeard = false;
    for (const sf::Sound& sound : soundPool)
        shotHeard = shotHeard || sound.getBuffer() == &towerShootSound;
    EXPECT_TRUE(shotHeard);

    int shots = 1;
    for (int i = 0; i < 48; ++i) {
        const std::size_t before = bullets.size();
        step();
        shots += bullets.size() > before;
    }
    EXPECT_EQ(shots, 3) << "six seconds hold at most three shots";
}

TEST_F(TowerTest, AimsOnlyAtLivingWolvesStrictlyWithinFiveAndAHalfCells)
{
    tower->state = TowerState::Ready;
    RegularWolf* edge = wolfAt(8, 1);
    edge->route = {{8, 6}, {8, 7}};
    edge->progress = 0.5f; // exactly 5.5 cells
    tower->acquireTarget();
    EXPECT_TRUE(bullets.empty());
    edge->progress = 0.49f;
    RegularWolf* dying = wolfAt(8, 3);
    dying->state = WolfState::Dying;
    tower->acquireTarget();
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_EQ(bullets[0]->target, edge);
}

TEST_F(TowerTest, PicksACandidateByTheNextRandomValue)
{
    tower->state = TowerState::Ready;
    RegularWolf* first = wolfAt(8, 3);
    RegularWolf* second = wolfAt(9, 3);
    // The next engine output decides: below 2^31 the first, from 2^31 the second.
    std::mt19937 probe = randomEngine;
    const bool expectSecond = probe() >= 0x80000000u;
    tower->acquireTarget();
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_EQ(bullets[0]->target, expectSecond ? second : first);
    EXPECT_EQ(randomEngine, probe);
}

TEST_F(TowerTest, RegainsOnePointASecondUpToAHundred)
{
    tower->health = 98;
    run(1.0f);
    EXPECT_EQ(tower->health, 98);
    step();
    EXPECT_EQ(tower->health, 99);
    EXPECT_EQ(tower->regenTimer, 1.0f);
    run(1.125f);
    EXPECT_EQ(tower->health, 100);
    const float regen = tower->regenTimer;
    run(2.0f);
    EXPECT_EQ(tower->health, 100);
    EXPECT_EQ(tower->regenTimer, regen);
}

TEST_F(TowerTest, CollapsesAtNoHealthWithItsSoundAndItsStones)
{
    stones.push_back(new Stone(3.f, 3.f, tower));
    tower->health = 0;
    step();
    EXPECT_TRUE(towers.empty());
    EXPECT_TRUE(stones.empty());
    EXPECT_FALSE(cell(8, 1).hasTower);
    int collapses = 0;
    for (const sf::Sound& sound : soundPool)
        collapses += sound.getBuffer() == &towerCollapseSound;
    EXPECT_EQ(collapses, 1);
}
