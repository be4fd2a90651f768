// The board view: which cell a click lands on, and a few drawn pixels.

#include "support/render_probe.h"
#include "support/world_fixture.h"

#include "towers/platform.h"
#include "towers/tower.h"
#include "ui/build_tool.h"
#include "ui/main_view.h"
#include "wolves/wolf_kinds.h"

namespace {

class MainViewTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        load(board);
    }
    void TearDown() override
    {
        currentTool = BuildTool::None;
        WorldTest::TearDown();
    }

    void clickWith(BuildTool tool, int x, int y)
    {
        currentTool = tool;
        view.onClick(x, y);
    }

    // High ground along the bottom row and in the top right corner.
    static inline const std::vector<std::string> board = {
        "...............#", "................", "................", "................",
        "...............H", "................", "................", "................",
        "################"};
    MainView view;
};

} // namespace

TEST_F(MainViewTest, PlatformsAndPondsAreHitOnTheirGroundTileTowersOnTheirTop)
{
    clickWith(BuildTool::Platform, 0, 0); // y - 24 divides to 0: row 9
    ASSERT_EQ(platforms.size(), 1u);
    EXPECT_EQ(sf::Vector2i(platforms[0]->x, platforms[0]->y), sf::Vector2i(2, 9));
    EXPECT_EQ(currentTool, BuildTool::None);

    EXPECT_EQ(view.cellAt(100, 60, false), sf::Vector2i(4, 8));
    EXPECT_EQ(view.cellAt(100, 60, true), sf::Vector2i(4, 9));
    EXPECT_EQ(view.cellAt(799, 473, false), sf::Vector2i(17, 1)) << "row clamped up from 0";

    clickWith(BuildTool::ArrowTower, 799, 473);
    ASSERT_EQ(towers.size(), 1u);
    EXPECT_EQ(sf::Vector2i(towers[0]->x, towers[0]->y), sf::Vector2i(17, 1));

    clickWith(BuildTool::Flood, 230, 300); // column 6, row 9 - 276/50 = 4
    ASSERT_EQ(ponds.size(), 1u);
    EXPECT_EQ(sf::Vector2i(ponds[0]->x, ponds[0]->y), sf::Vector2i(6, 4));
}

TEST_F(MainViewTest, ClicksOffTheBoardKeepTheToolAndFailedRulesOnlyResetIt)
{
    clickWith(BuildTool::IceTower, 400, 474);
    EXPECT_EQ(currentTool, BuildTool::IceTower);
    view.onClick(400, 300); // low ground without a platform
    EXPECT_TRUE(towers.empty());
    EXPECT_EQ(currentTool, BuildTool::None);
    clickWith(BuildTool::None, 400, 300);
    EXPECT_TRUE(towers.empty() && platforms.empty() && ponds.empty());
}

TEST_F(MainViewTest, DemolitionTriesTheTowerRowThenTheGroundRow)
{
    placePlatform(5, 5);
    placeTower(0, 5, 5);
    // At (170, 250) the tower row is 9 - 250/50 = 4 and the ground row 5;
    // at (170, 210) the tower row is 5.
    clickWith(BuildTool::RemoveBuilding, 170, 250);
    EXPECT_EQ(towers[0]->state, TowerState::Building) << "the platform's tower is not on the tower row";
    EXPECT_EQ(platforms[0]->state, PlatformState::Building) << "a platform carrying a tower stays";
    clickWith(BuildTool::RemoveBuilding, 170, 210);
    EXPECT_EQ(towers[0]->state, TowerState::Collapsed);
    step();
    clickWith(BuildTool::RemoveBuilding, 170, 250);
    EXPECT_EQ(platforms[0]->state, PlatformState::Destroyed);
}

TEST_F(MainViewTest, WolfBarsShowSlowAndStun)
{
    RegularWolf* wolf = addWolf<RegularWolf>(5);
    placeOnStep(*wolf, {5, 5}, {6, 5});
    // The bar's frame starts at (50 * 3.5 - 20, 405 - 200 + 24) = (155, 229).
    auto barColour = [&] {
        RenderProbe probe;
        view.drawWithPointer(probe.canvas(), {-1, -1});
        probe.capture();
        return probe.at(165, 231);
    };
    EXPECT_TRUE(near(barColour(), sf::Color(0, 255, 0)));
    wolf->slowed = true;
    EXPECT_TRUE(near(barColour(), sf::Color(0, 0, 255)));
    wolf->state = WolfState::Stunned;
    EXPECT_TRUE(near(barColour(), sf::Color(255, 0, 0))) << "red wins over blue";
    wolf->health = 30; // a tenth of the bar
    wolf->state = WolfState::Walking;
    EXPECT_FALSE(near(barColour(), sf::Color(0, 0, 255)));
}

TEST_F(MainViewTest, GhostShowsWhereTheToolWouldBuild)
{
    // The ghost of a tower over high ground (3, 1) at its tower position.
    const sf::Vector2i overHighGround(60, 440);
    auto pixelWith = [&](BuildTool tool, sf::Vector2i pointer, sf::Vector2i at) {
        currentTool = tool;
        RenderProbe probe;
        view.drawWithPointer(probe.canvas(), pointer);
        probe.capture();
        return probe.at(at.x, at.y);
    };
    const sf::Vector2i towerMiddle(50 * 1.5 - 16 + 16, 384 - 50 * -0.5 + 30); // (75, 439)
    EXPECT_NE(pixelWith(BuildTool::ArrowTower, overHighGround, towerMiddle),
              pixelWith(BuildTool::None, overHighGround, towerMiddle));

    // No ghost over a platform marked destroyed: it carries nothing any more.
    placePlatform(5, 5);
    demolishPlatformOrPond(5, 5);
    const sf::Vector2i overPlatform(170, 210);
    const sf::Vector2i platformTop(175, 230); // where a tower's ghost would be
    EXPECT_EQ(pixelWith(BuildTool::SlapTower, overPlatform, platformTop),
              pixelWith(BuildTool::None, overPlatform, platformTop));
}

TEST_F(MainViewTest, CrowdedBoardDrawsItsGoldenFrame)
{
    // The frame as the board view drew it before its drawing was made faster,
    // on the Mesa software renderer of Debian 12 that the tests run on. Every
    // pixel must stay the same.
    playCrowdedBoard(700);
    currentTool = BuildTool::IceTower;
    RenderProbe probe;
    view.drawWithPointer(probe.canvas(), {420, 160});
    probe.capture();

    sf::Image golden;
    golden.loadFromFile(BRAMBLEHOLT_TEST_SOURCE "/ui/crowded_board.png");
    const sf::Image& drawn = probe.picture();
    int differing = drawn.getSize() == golden.getSize() ? 0 : -1;
    for (unsigned y = 0; differing >= 0 && y < golden.getSize().y; ++y) {
        for (unsigned x = 0; x < golden.getSize().x; ++x)
            differing += drawn.getPixel(x, y) != golden.getPixel(x, y);
    }
    if (differing != 0) {
        const std::string saved = testing::TempDir() + "crowded_board.png";
        drawn.saveToFile(saved);
        ADD_FAILURE() << differing << " pixels differ (-1: another size); the frame drawn now is " << saved;
    }
}
