// Bullets home on their wolf and hit when it is within one step.

#include "support/world_fixture.h"

#include "towers/bullet.h"
#include "wolves/wolf_kinds.h"

#include <cmath>

namespace {

class BulletTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        loadOpenBoard();
        wolf = addWolf<RegularWolf>(5);
        wolf->route = {{6, 5}};
    }
    RegularWolf* wolf = nullptr;
};

} // namespace

TEST_F(BulletTest, ClosesInAStepATickAndHitsWhenWithinOne)
{
    RegularBullet bullet(5.f, 5.f, wolf);
    bullet.update(0.1f);
    EXPECT_FLOAT_EQ(bullet.x, 5.5f);
    bullet.update(0.1f); // a step of exactly the distance left still moves
    EXPECT_FLOAT_EQ(bullet.x, 6.f);
    EXPECT_EQ(bullet.finished, 0);
    bullet.update(0.1f);
    EXPECT_EQ(bullet.finished, 1);
    EXPECT_EQ(wolf->health, 290);
}

TEST_F(BulletTest, FollowsAMovingWolf)
{
    wolf->route = {{6, 5}, {6, 6}};
    RegularBullet bullet(3.f, 5.f, wolf);
    bullet.update(0.1f);
    wolf->progress = 1.f;
    bullet.update(0.1f);
    const float dx = 6.f - bullet.x, dy = 6.f - bullet.y;
    EXPECT_NEAR(std::atan2(dy, dx), std::atan2(1.f, 2.5f), 1e-5) << "aims at where the wolf is now";
}

TEST_F(BulletTest, ArrowsTakeTenIceSlowsForFiveSeconds)
{
    wolf->health = 15;
    RegularBullet(6.f, 5.f, wolf).hit();
    RegularBullet(6.f, 5.f, wolf).hit();
    EXPECT_EQ(wolf->health, -5);
    wolf->slowTimer = 1.5f;
    IceBullet(6.f, 5.f, wolf).hit();
    EXPECT_TRUE(wolf->slowed);
    EXPECT_EQ(wolf->slowTimer, 5.0f);
    EXPECT_EQ(wolf->health, -5);
}

TEST_F(BulletTest, StandingOnItsTargetWithNoTimeStaysPut)
{
    RegularBullet bullet(6.f, 5.f, wolf);
    bullet.update(0.f);
    EXPECT_FALSE(std::isnan(bullet.x) || std::isnan(bullet.y));
    EXPECT_EQ(bullet.finished, 0);
    bullet.update(0.1f);
    EXPECT_EQ(bullet.finished, 1);
}
