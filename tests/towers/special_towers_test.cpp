// Ice, skunk and slap towers, and platforms.

#include "support/world_fixture.h"

#include "towers/bullet.h"
#include "towers/platform.h"
#include "towers/special_towers.h"
#include "wolves/stone.h"
#include "wolves/wolf_kinds.h"

namespace {

class SpecialTowers : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        load(field);
    }

    RegularWolf* wolfOn(sf::Vector2i from, sf::Vector2i to, float progress)
    {
        RegularWolf* wolf = addWolf<RegularWolf>(5);
        placeOnStep(*wolf, from, to, progress);
        return wolf;
    }

    Tower* readyTower(int type, int column, int row)
    {
        placeTower(type, column, row);
        towers.back()->state = TowerState::Ready;
        return towers.back();
    }

    static inline const std::vector<std::string> field = {
        "................", "................", "................", "................",
        "...............H", "................", "................", "................",
        "################"};
};

} // namespace

TEST_F(SpecialTowers, IceTowerSkipsSlowedWolvesAndFiresSilently)
{
    Tower* ice = readyTower(1, 8, 1);
    RegularWolf* wolf = wolfOn({8, 3}, {8, 3}, 0.f);
    wolf->slowed = true;
    ice->acquireTarget();
    EXPECT_TRUE(bullets.empty());
    EXPECT_EQ(ice->state, TowerState::Ready);
    wolf->slowed = false;
    ice->acquireTarget();
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_NE(dynamic_cast<IceBullet*>(bullets[0]), nullptr);
    for (const sf::Sound& sound : soundPool)
        EXPECT_EQ(sound.getBuffer(), nullptr);
    EXPECT_EQ(&ice->texture(), &iceTowerTexture);
}

TEST_F(SpecialTowers, SkunkTowerStunsWolvesStrictlyWithinTwoAndAHalfCellsWhenItFalls)
{
    Tower* skunk = readyTower(2, 8, 1);
    skunk->acquireTarget();
    EXPECT_EQ(skunk->state, TowerState::Ready) << "never shoots";
    RegularWolf* near = wolfOn({8, 2}, {8, 3}, 0.f);
    RegularWolf* dying = wolfOn({9, 2}, {9, 2}, 0.f);
    dying->state = WolfState::Dying;
    RegularWolf* atEdge = wolfOn({8, 3}, {8, 4}, 0.5f); // exactly 2.5 cells
    skunk->health = 0;
    skunk->update(0.1f);
    EXPECT_EQ(skunk->state, TowerState::Collapsed);
    EXPECT_EQ(near->state, WolfState::Stunned);
    EXPECT_EQ(near->stateTimer, 5.0f);
    EXPECT_EQ(atEdge->state, WolfState::Walking);
    EXPECT_EQ(dying->state, WolfState::Stunned);
}

TEST_F(SpecialTowers, AWolfStunnedInTheTickItDiesStaysAndDiesAgain)
{
    Tower* skunk = readyTower(2, 8, 1);
    RegularWolf* wolf = wolfOn({8, 2}, {8, 2}, 0.f);
    wolf->health = 0;
    wolf->state = WolfState::Dying;
    wolf->stateTimer = 0.1f; // dead in its update of the next tick
    skunk->health = 0;       // and the burst follows in the towers' turn
    step();
    ASSERT_EQ(wolves.size(), 1u) << "swept although the burst stunned it";
    EXPECT_EQ(wolf->state, WolfState::Stunned);
    step();
    EXPECT_EQ(wolf->state, WolfState::Dying);
    run(1.125f);
    EXPECT_TRUE(wolves.empty());
}

TEST_F(SpecialTowers, SkunkTowerStaysQuietWhenDemolishedBuildingOrFallingWithItsPlatform)
{
    placeTower(2, 8, 1); // still building
    RegularWolf* wolf = wolfOn({8, 2}, {8, 2}, 0.f);
    towers[0]->health = 0;
    step();
    EXPECT_EQ(wolf->state, WolfState::Walking);

    readyTower(2, 8, 1);
    demolishTower(8, 1);
    step();
    EXPECT_EQ(wolf->state, WolfState::Walking);

    placePlatform(8, 3);
    readyTower(2, 8, 3);
    platforms[0]->health = 0;
    step();
    EXPECT_EQ(wolf->state, WolfState::Walking);
    EXPECT_TRUE(towers.empty());
    EXPECT_TRUE(platforms.empty());
}

TEST_F(SpecialTowers, SlapTowerKnocksBackWolvesPassingAlongItsSide)
{
    Tower* slap = readyTower(3, 8, 1);
    RegularWolf* towards = wolfOn({8, 3}, {8, 2}, 0.6f); // walking at the tower
    slap->acquireTarget();
    EXPECT_EQ(towards->state, WolfState::Walking);

    RegularWolf* dying = wolfOn({8, 2}, {9, 2}, 0.3f); // passing, but dying
    dying->state = WolfState::Dying;
    slap->acquireTarget();
    EXPECT_EQ(dying->state, WolfState::Dying);
    EXPECT_EQ(slap->state, TowerState::Ready);

    RegularWolf* passing = wolfOn({7, 2}, {8, 2}, 0.5f); // exactly half way
    slap->acquireTarget();
    EXPECT_EQ(passing->state, WolfState::Walking);

    passing->progress = 0.6f;
    passing->route.push_back({9, 2});
    slap->acquireTarget();
    EXPECT_EQ(passing->state, WolfState::KnockedBack);
    EXPECT_EQ(passing->knockStep, sf::Vector2i(-1, 0));
    EXPECT_EQ(passing->stateTimer, 2.0f);
    EXPECT_EQ(passing->route.size(), 2u);
    EXPECT_EQ(slap->state, TowerState::Reloading);
    EXPECT_TRUE(bullets.empty());
}

TEST_F(SpecialTowers, PlatformRegainsAPointASecond)
{
    placePlatform(5, 5);
    platforms[0]->health = 60;
    run(1.9f);
    EXPECT_EQ(platforms[0]->state, PlatformState::Building);
    run(0.2f);
    EXPECT_EQ(platforms[0]->state, PlatformState::Standing);
    run(44.0f);
    EXPECT_EQ(platforms[0]->health, 100);
}

TEST_F(SpecialTowers, AFallingPlatformTakesItsTowerAndItsStonesSilently)
{
    placePlatform(5, 5);
    placeTower(0, 5, 5);
    Tower* tower = towers[0];
    stones.push_back(new Stone(2.f, 5.f, tower));
    platforms[0]->health = 0;
    step();
    EXPECT_TRUE(towers.empty());
    EXPECT_TRUE(platforms.empty());
    EXPECT_TRUE(stones.empty());
    EXPECT_EQ(cell(5, 5).platform, nullptr);
    for (const sf::Sound& sound : soundPool)
        EXPECT_NE(sound.getBuffer(), &towerCollapseSound);
}
