// A wolf's walk, route choice, reactions and death.

#include "support/world_fixture.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "wolves/wolf.h"
#include "wolves/wolf_kinds.h"

#include <map>

namespace {

class WolfTest : public WorldTest
{
protected:
    static bool contiguous(const std::vector<sf::Vector2i>& route)
    {
        for (std::size_t i = 1; i < route.size(); ++i) {
            const sf::Vector2i d = route[i] - route[i - 1];
            if (std::abs(d.x) + std::abs(d.y) > 1)
                return false;
        }
        return true;
    }
};

// Three rows of corridor in front of the home at (17, 5).
const std::vector<std::string> corridor = {
    "################", "################", "################", "................",
    "...............H", "................", "################", "################",
    "################"};

} // namespace

TEST_F(WolfTest, EntersAtTheLeftEdgeAndRoutesToTheHome)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    EXPECT_EQ(wolf->route.front(), sf::Vector2i(1, 5));
    EXPECT_EQ(wolf->route[1], sf::Vector2i(2, 5));
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(17, 5));
    EXPECT_EQ(wolf->route.size(), 17u);
    EXPECT_EQ(wolf->progress, 0.f);
    EXPECT_EQ(wolf->position(), sf::Vector2f(1.f, 5.f));
    EXPECT_EQ(wolf->sprite.animation, &wolf->walkRight);
    EXPECT_EQ(wolf->health, 300);
}

TEST_F(WolfTest, PicksEveryShortestRouteAboutEquallyOften)
{
    load(corridor);
    // From (1, 4) the home (17, 5) is 17 steps away; the one step up can be
    // taken at any of 17 columns.
    std::map<int, int> upAt;
    const int draws = 1700;
    for (int i = 0; i < draws; ++i) {
        RegularWolf wolf(4, 4);
        ASSERT_EQ(wolf.route.size(), 18u);
        ASSERT_TRUE(contiguous(wolf.route));
        for (std::size_t c = 1; c < wolf.route.size(); ++c) {
            if (wolf.route[c].y == 5 && wolf.route[c - 1].y == 4)
                ++upAt[wolf.route[c].x];
        }
    }
    ASSERT_EQ(upAt.size(), 17u);
    for (const auto& [column, count] : upAt)
        EXPECT_NEAR(count, draws / 17, 40) << "column " << column;
}

TEST_F(WolfTest, WalksAtItsSpeedAndTurnsItsSprite)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    wolf->route = {{2, 4}, {3, 4}, {3, 5}, {4, 5}};
    run(0.875f);
    EXPECT_EQ(wolf->route.front(), sf::Vector2i(2, 4));
    EXPECT_EQ(wolf->progress, 0.875f);
    step();
    EXPECT_EQ(wolf->route.front(), sf::Vector2i(2, 4)) << "a step ends once progress passes 1";
    step();
    EXPECT_EQ(wolf->route.front(), sf::Vector2i(3, 4));
    EXPECT_EQ(wolf->progress, 0.125f);
    EXPECT_EQ(wolf->sprite.animation, &wolf->walkUp);
    EXPECT_EQ(wolf->position().y, 4.125f);
    run(2.0f);
    EXPECT_EQ(wolf->sprite.animation, &wolf->walkRight);
    run(3.0f);
    EXPECT_EQ(wolf->route, std::vector<sf::Vector2i>{sf::Vector2i(4, 5)}) << "stands on its last cell";
}

TEST_F(WolfTest, ReachingTheHomeLosesTheLevelWhateverItsHealth)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {16, 5}, {17, 5}, 0.95f);
    step();
    EXPECT_EQ(levelLost, 0) << "the home test comes before the walk";
    wolf->health = -20;
    step();
    EXPECT_EQ(levelLost, 1);
    EXPECT_EQ(wolf->state, WolfState::Dying);
}

TEST_F(WolfTest, IceHalvesItsSpeedAndAFullPondMakesItATenth)
{
    load(corridor);
    RegularWolf* iced = addWolf<RegularWolf>(5);
    iced->slowed = true;
    iced->slowTimer = 5.0f;
    step();
    EXPECT_FLOAT_EQ(iced->speed, 0.5f);
    EXPECT_EQ(iced->sprite.frameTime, sf::seconds(0.08f / 0.5f));

    ponds.push_back(new Pond{PondState::Full, 1, 5, 20.f});
    step();
    EXPECT_FLOAT_EQ(iced->speed, 0.1f);
    EXPECT_EQ(iced->sprite.frameTime, sf::seconds(0.08f / 0.1f));
    RegularWolf* dry = addWolf<RegularWolf>(5);
    step();
    EXPECT_FLOAT_EQ(dry->speed, 1.0f) << "a pond alone does not slow";
    EXPECT_EQ(dry->sprite.frameTime, sf::seconds(0.08f / 0.1f));

    // The slow wears off with its timer; the tick that ends it is still slow.
    ponds.front()->state = PondState::Drained;
    iced->slowTimer = 0.25f;
    run(0.2f);
    EXPECT_TRUE(iced->slowed);
    step();
    EXPECT_FALSE(iced->slowed);
    EXPECT_FLOAT_EQ(iced->speed, 0.5f);
    step();
    EXPECT_FLOAT_EQ(iced->speed, 1.0f);
}

TEST_F(WolfTest, BitesThroughAPlatformWhenThereIsNoOtherWay)
{
    const std::vector<std::string> single = {
        "################", "################", "################", "################",
        "...............H", "################", "################", "################",
        "################"};
    load(single);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {4, 5}, {5, 5}, 0.25f);
    placePlatform(5, 5);
    Platform* platform = platforms[0];
    // The step in progress is kept; the route leads on through the platform.
    EXPECT_EQ(wolf->route[0], sf::Vector2i(4, 5));
    EXPECT_EQ(wolf->route[1], sf::Vector2i(5, 5));
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(17, 5));

    run(0.375f); // progress 0.375, 0.5, 0.625
    EXPECT_EQ(wolf->state, WolfState::Walking) << "bites only past the middle of the step";
    step();
    EXPECT_EQ(wolf->state, WolfState::Attacking);
    EXPECT_EQ(platform->health, 90);
    run(1.125f);
    EXPECT_EQ(wolf->state, WolfState::Walking);
    const std::int32_t beforeSecondBite = platform->health; // it regenerated meanwhile
    step();
    EXPECT_EQ(platform->health, beforeSecondBite - 10) << "one bite a second";
    platform->health = 5;
    run(1.2f);
    EXPECT_TRUE(platforms.empty());
    run(2.0f);
    EXPECT_GT(wolf->route[0].x, 4) << "walks on once the platform broke";
}

TEST_F(WolfTest, ReRoutesAroundANewPlatformKeepingTheStepUnderWay)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {4, 5}, {5, 5}, 0.3f);
    placePlatform(6, 5);
    EXPECT_EQ(wolf->route[0], sf::Vector2i(4, 5));
    EXPECT_EQ(wolf->route[1], sf::Vector2i(5, 5));
    EXPECT_TRUE(contiguous(wolf->route));
    EXPECT_NE(wolf->route[2], sf::Vector2i(6, 5));
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(17, 5));

    // A platform right on the cell being entered: the wolf keeps that step
    // and will bite its way through.
    placeOnStep(*wolf, {7, 5}, {8, 5}, 0.7f);
    placePlatform(8, 5);
    EXPECT_EQ(wolf->route[0], sf::Vector2i(7, 5));
    EXPECT_EQ(wolf->route[1], sf::Vector2i(8, 5));
    EXPECT_EQ(wolf->route.size(), 2u) << "a platform cell has no home distance";
}

TEST_F(WolfTest, StunnedStandsForFiveSeconds)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    wolf->state = WolfState::Stunned;
    wolf->stateTimer = 5.0f;
    run(5.0f);
    EXPECT_EQ(wolf->state, WolfState::Stunned);
    EXPECT_EQ(wolf->progress, 0.f);
    step();
    EXPECT_EQ(wolf->state, WolfState::Walking);
}

TEST_F(WolfTest, KnockBackSlidesUntilAWallStopsIt)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {3, 5}, {4, 5}, 0.25f);
    wolf->state = WolfState::KnockedBack;
    wolf->knockStep = {-1, 0};
    wolf->stateTimer = 2.0f;
    step(); // 0.25 - 0.375 < 0: slides one cell back
    EXPECT_EQ(wolf->route[0], sf::Vector2i(2, 5));
    EXPECT_EQ(wolf->route[1], sf::Vector2i(3, 5));
    EXPECT_EQ(wolf->progress, 0.875f);
    run(0.5f);
    EXPECT_EQ(wolf->state, WolfState::KnockedBack);
    EXPECT_EQ(wolf->route[0], sf::Vector2i(1, 5));
    run(0.375f); // the border is behind the entry column
    EXPECT_EQ(wolf->state, WolfState::Walking);
    EXPECT_EQ(wolf->route[0], sf::Vector2i(1, 5));
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(17, 5));
    EXPECT_TRUE(contiguous(wolf->route));
}

TEST_F(WolfTest, KnockBackEndsWithAContiguousRoute)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {10, 5}, {11, 5}, 0.05f);
    wolf->state = WolfState::KnockedBack;
    wolf->knockStep = {-1, 0};
    wolf->stateTimer = 0.05f; // runs out in the same update as the slide
    step();
    EXPECT_EQ(wolf->state, WolfState::Walking);
    EXPECT_TRUE(contiguous(wolf->route));
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(17, 5));
    EXPECT_GE(wolf->progress, 0.f);
}

TEST_F(WolfTest, DiesOnceFinishesItsBulletsAndIsRemovedASecondLater)
{
    load(corridor);
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    bullets.push_back(new RegularBullet(10.f, 9.f, wolf));
    wolf->health = 0;
    step();
    EXPECT_EQ(wolf->state, WolfState::Dying);
    EXPECT_TRUE(bullets.empty()) << "bullets aimed at a dying wolf go in the same tick";
    run(0.875f);
    ASSERT_EQ(wolves.size(), 1u);
    step();
    EXPECT_TRUE(wolves.empty());
}
