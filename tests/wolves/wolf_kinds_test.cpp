// What sets each kind of wolf apart.

#include "support/world_fixture.h"

#include "towers/platform.h"
#include "towers/tower.h"
#include "wolves/stone.h"
#include "wolves/wolf_kinds.h"

namespace {

class WolfKinds : public WorldTest
{
};

// Open ground with a row of high ground along the bottom for towers.
const std::vector<std::string> field = {
    "................", "................", "................", "................",
    "...............H", "................", "................", "................",
    "################"};

} // namespace

TEST_F(WolfKinds, CarryTheirOwnNumbersAndSheets)
{
    load(field);
    struct Expected
    {
        int kind;
        std::int32_t health;
        float speed;
        const sf::Texture* sheet;
    };
    const Expected kinds[] = {
        {RegularWolfKind, 300, 1.f, &regularWolfTexture},   {BabyWolfKind, 50, 3.f, &babyWolfTexture},
        {ThrowingWolfKind, 50, 1.f, &throwingWolfTexture},  {SuicidalWolfKind, 20, 2.f, &suicidalWolfTexture},
        {HackingWolfKind, 80, 1.f, &hackingWolfTexture},    {CatapultWolfKind, 10, 1.f, &catapultWolfTexture},
    };
    for (const Expected& expected : kinds) {
        SCOPED_TRACE(expected.kind);
        Wolf* wolf = makeWolf(expected.kind, 5);
        wolves.push_back(wolf);
        EXPECT_EQ(wolf->health, expected.health);
        EXPECT_EQ(wolf->maxHealth, expected.health);
        EXPECT_EQ(wolf->baseSpeed, expected.speed);
        EXPECT_EQ(wolf->walkLeft.texture, expected.sheet);
        EXPECT_EQ(wolf->walkUp.frames[1], sf::IntRect(64, 96, 32, 32));
        EXPECT_EQ(wolf->route[0], sf::Vector2i(1, 5));
        EXPECT_EQ(wolf->route.back(), levelMap.home());
        EXPECT_EQ(wolf->sprite.animation, &wolf->walkRight);
    }
    // The tower hunters keep their first frame time until they first update.
    EXPECT_EQ(wolves[2]->sprite.frameTime, sf::seconds(0.2f));
    EXPECT_EQ(wolves[0]->sprite.frameTime, sf::seconds(0.08f));
}

TEST_F(WolfKinds, BabyWolfRunsThreeTimesAsFast)
{
    load(field);
    Wolf* regular = addWolf<RegularWolf>(5);
    Wolf* baby = addWolf<BabyWolf>(5);
    run(1.0f);
    EXPECT_NEAR(baby->position().x - 1.f, 3.f * (regular->position().x - 1.f), 1e-4);
}

TEST_F(WolfKinds, ThrowingWolfThrowsAtTowersStrictlyWithinTwoAndAHalfCells)
{
    load(field);
    placeTower(0, 6, 1);
    ThrowingWolf* wolf = addWolf<ThrowingWolf>(3);
    EXPECT_EQ(wolf->route.back(), sf::Vector2i(6, 1)) << "heads for the tower's cell";

    placeOnStep(*wolf, {6, 4}, {6, 3}, 0.5f); // 2.5 cells from the tower
    wolf->speed = 0.f;
    wolf->walk(0.f);
    EXPECT_TRUE(stones.empty());
    placeOnStep(*wolf, {6, 4}, {6, 3}, 0.6f); // 2.4 cells
    wolf->walk(0.f);
    ASSERT_EQ(stones.size(), 1u);
    EXPECT_EQ(stones[0]->target, towers[0]);
    EXPECT_EQ(wolf->state, WolfState::Reloading);
    EXPECT_EQ(wolf->stateTimer, 2.0f);
    EXPECT_EQ(dynamic_cast<CatapultStone*>(stones[0]), nullptr);

    // Reloads for two seconds, then throws again.
    run(2.125f);
    EXPECT_EQ(wolf->state, WolfState::Walking);
    EXPECT_EQ(stones.size(), 0u) << "the first stone has landed";
    EXPECT_EQ(towers[0]->health, 60 + 1);
    step();
    EXPECT_EQ(stones.size(), 1u);
}

TEST_F(WolfKinds, CatapultWolfWaitsToLeaveTheEntryColumn)
{
    load(field);
    placeTower(0, 8, 1);
    CatapultWolf* wolf = addWolf<CatapultWolf>(5);
    placeOnStep(*wolf, {1, 5}, {2, 5}, 0.9f); // about 7.8 cells away
    wolf->walk(0.f);
    EXPECT_TRUE(stones.empty());
    wolf->progress = 0.95f;
    wolf->walk(0.f);
    ASSERT_EQ(stones.size(), 1u);
    ASSERT_NE(dynamic_cast<CatapultStone*>(stones[0]), nullptr);
    stones[0]->hit();
    EXPECT_EQ(towers[0]->health, 90);
}

TEST_F(WolfKinds, TowerHuntersFollowTheFirstTowerAndReturnHomeWithoutOne)
{
    load(field);
    ThrowingWolf* thrower = addWolf<ThrowingWolf>(5);
    CatapultWolf* catapult = addWolf<CatapultWolf>(7);
    RegularWolf* regular = addWolf<RegularWolf>(3);
    const std::vector<sf::Vector2i> regularRoute = regular->route;
    EXPECT_EQ(thrower->route.back(), levelMap.home());

    placeTower(0, 12, 1);
    EXPECT_EQ(thrower->route.back(), sf::Vector2i(12, 1));
    EXPECT_EQ(catapult->route.back(), sf::Vector2i(12, 1));
    EXPECT_EQ(regular->route, regularRoute) << "other kinds ignore towers";

    demolishTower(12, 1);
    step();
    EXPECT_EQ(thrower->route.back(), levelMap.home());
    EXPECT_EQ(catapult->route.back(), levelMap.home());
}

TEST_F(WolfKinds, SuicidalWolfExplodesAgainstNearbyBuildings)
{
    load(field);
    placeTower(0, 5, 1);
    placeTower(0, 6, 1);
    placeTower(0, 7, 1);
    placeTower(0, 9, 1);
    placePlatform(6, 4);
    SuicidalWolf* wolf = addWolf<SuicidalWolf>(2);
    placeOnStep(*wolf, {6, 2}, {6, 3});
    wolf->health = 0;
    step();
    // Squared distances: 2, 1, 2 and 10 to the towers, 4 to the platform.
    EXPECT_EQ(towers[0]->health, 100 - 68);
    EXPECT_EQ(towers[1]->health, 100 - 84);
    EXPECT_EQ(towers[2]->health, 100 - 68);
    EXPECT_EQ(towers[3]->health, 100);
    EXPECT_EQ(platforms[0]->health, 100 - 36);
    bool exploded = false;
    for (const sf::Sound& sound : soundPool)
        exploded = exploded || sound.getBuffer() == &explodeSound;
    EXPECT_TRUE(exploded);
}

TEST_F(WolfKinds, HackingWolfTurnsOffToPlatformsNearItsWay)
{
    load(field);
    HackingWolf* plain = addWolf<HackingWolf>(5);
    EXPECT_EQ(plain->route.back(), levelMap.home()) << "no platform: the home route";

    placePlatform(9, 8); // three rows above row 5
    HackingWolf* hacker = addWolf<HackingWolf>(5);
    EXPECT_EQ(hacker->route.back(), sf::Vector2i(9, 8));
    // It leaves the straight way home at the first cell three steps from the platform.
    EXPECT_EQ(levelMap.cells[9][5].platformDistance, 3);
    EXPECT_EQ(hacker->route[8], sf::Vector2i(9, 5));
    EXPECT_EQ(hacker->route[9], sf::Vector2i(9, 6));
    EXPECT_EQ(hacker->route.size(), 12u);

    Platform* platform = platforms[0];
    hacker->attackPlatform(platform);
    EXPECT_EQ(platform->health, 80);
}
