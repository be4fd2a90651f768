// Stones: their flight, their hit and their end with the target.

#include "support/world_fixture.h"

#include "towers/tower.h"
#include "wolves/stone.h"

#include <cmath>

namespace {

class StoneTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        loadOpenBoard();
        tower = new Tower(8, 4);
        towers.push_back(tower);
    }
    Tower* tower = nullptr;
};

} // namespace

TEST_F(StoneTest, FliesStraightAndHitsOnTheTickAfterItsFlightTime)
{
    Stone* stone = new Stone(6.f, 4.f, tower); // two cells: 0.4 s
    stones.push_back(stone);
    EXPECT_FLOAT_EQ(stone->flightTime, 0.4f);
    EXPECT_FLOAT_EQ(stone->verticalSpeed, 3.f + 375.f / 2.f);
    stone->update(0.1f);
    EXPECT_FLOAT_EQ(stone->x, 6.5f);
    EXPECT_FLOAT_EQ(stone->y, 4.f);
    EXPECT_GT(stone->z, 0.f);
    stone->update(0.1f);
    stone->update(0.1f);
    stone->update(0.1f);
    EXPECT_EQ(stone->finished, 0);
    EXPECT_NEAR(stone->x, 8.f, 1e-5);
    EXPECT_NEAR(stone->z, 75.f + 0.6f * 2 - 0.3f * 4, 1e-3);
    stone->update(0.1f);
    EXPECT_EQ(stone->finished, 1);
    EXPECT_NEAR(stone->x, 8.f, 1e-5) << "does not move on the tick it hits";
    EXPECT_EQ(tower->health, 60);
}

TEST_F(StoneTest, ThreeStonesBringDownAFullTowerCatapultStonesTakeTen)
{
    for (int i = 0; i < 2; ++i)
        Stone(8.f, 4.f, tower).hit();
    EXPECT_EQ(tower->health, 20);
    CatapultStone(8.f, 4.f, tower).hit();
    EXPECT_EQ(tower->health, 10);
    Stone(8.f, 4.f, tower).hit();
    EXPECT_LE(tower->health, 0);
}

TEST_F(StoneTest, AStoneFromTheTargetsOwnCellNeverGoesNaN)
{
    Stone* stone = new Stone(8.f, 4.f, tower);
    stones.push_back(stone);
    EXPECT_EQ(stone->flightTime, 0.f);
    stone->update(0.f); // a tick of no time: no flight, no hit yet
    EXPECT_FALSE(std::isnan(stone->x) || std::isnan(stone->y) || std::isnan(stone->z));
    EXPECT_EQ(stone->finished, 0);
    stone->update(0.01f);
    EXPECT_EQ(stone->finished, 1);
    EXPECT_EQ(tower->health, 60);
}

TEST_F(StoneTest, AStoneAimedAtADemolishedTowerLeavesWithIt)
{
    stones.push_back(new Stone(3.f, 4.f, tower));
    demolishTower(8, 4);
    step();
    EXPECT_TRUE(stones.empty());
    EXPECT_TRUE(towers.empty());
}
