// The building panel: which tool a click chooses, how the buttons look, and
// the clock's slices.

#include "support/render_probe.h"
#include "support/world_fixture.h"

#include "ui/building_panel.h"
#include "ui/message_box.h"

#include <cmath>

namespace {

class BuildingPanelTest : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        loadOpenBoard();
        currentTool = BuildTool::None;
        levelLost = 0;
        buildLock = 0;
        messageBoxOpen = 0;
    }
    void TearDown() override
    {
        messageBoxOpen = 0;
        currentTool = BuildTool::None;
        WorldTest::TearDown();
    }

    // The colour of the clock at a rim angle (degrees clockwise from 12).
    static sf::Color clockAt(RenderProbe& probe, double degrees, double radius = 17)
    {
        const double a = degrees * 3.14159265 / 180;
        return probe.at(static_cast<int>(std::lround(750 + radius * std::sin(a))),
                        static_cast<int>(std::lround(504 - radius * std::cos(a))));
    }

    BuildingPanel panel{0, 474, 800, 176};
};

const sf::Color white(255, 255, 255);
const sf::Color blueOverWhite(127, 127, 255);
const sf::Color red(255, 0, 0);
const sf::Color blueOverRed(127, 0, 128);

} // namespace

TEST_F(BuildingPanelTest, ButtonsChooseTheirToolUnlessBlocked)
{
    panel.onClick(10, 485); // arrow tower
    EXPECT_EQ(currentTool, BuildTool::ArrowTower);
    panel.onClick(340, 480);
    EXPECT_EQ(currentTool, BuildTool::SlapTower);
    panel.onClick(120, 515);
    EXPECT_EQ(currentTool, BuildTool::Flood);
    panel.onClick(600, 500); // on the panel, on no button
    EXPECT_EQ(currentTool, BuildTool::Flood);

    buildLock = 1;
    panel.onClick(10, 515); // platform
    EXPECT_EQ(currentTool, BuildTool::Flood);
    panel.onClick(10, 575); // demolition ignores the build lock
    EXPECT_EQ(currentTool, BuildTool::RemoveBuilding);

    buildLock = 0;
    levelLost = 1;
    panel.onClick(230, 480);
    panel.onClick(10, 575);
    EXPECT_EQ(currentTool, BuildTool::RemoveBuilding);
    currentTool = BuildTool::None;
    panel.onClick(10, 575);
    EXPECT_EQ(currentTool, BuildTool::None);
}

TEST_F(BuildingPanelTest, CaptionsTurnGreyAndTheChosenToolLooksSelected)
{
    RenderProbe probe;
    currentTool = BuildTool::IceTower;
    buildLock = 1;
    panel.draw(probe.canvas());
    const sf::Color grey(200, 200, 200, 255), black(0, 0, 0, 255);
    EXPECT_EQ(panel.iceTowerButton.icon.getTexture(), &panel.iceTowerButton.selectedTexture);
    EXPECT_EQ(panel.platformButton.icon.getTexture(), &panel.platformButton.normalTexture);
    EXPECT_EQ(panel.platformButton.label.getFillColor(), grey);
    EXPECT_EQ(panel.removeBuildingButton.label.getFillColor(), black);
    EXPECT_EQ(panel.restartButton.label.getFillColor(), black);

    messageBoxOpen = 1;
    panel.draw(probe.canvas());
    for (const Button* button : {static_cast<Button*>(&panel.removeBuildingButton),
                                 static_cast<Button*>(&panel.restartButton),
                                 static_cast<Button*>(&panel.returnToMenuButton)})
        EXPECT_EQ(button->label.getFillColor(), grey);
    panel.onClick(700, 580); // restart: ignored while a question is open
    EXPECT_TRUE(rootPanel.children.empty());
}

TEST_F(BuildingPanelTest, ClockFillsOneSliceEveryTwoSeconds)
{
    struct Case
    {
        std::int32_t t;
        sf::Color at3, at9, at11;
    };
    const Case cases[] = {
        {0, white, white, red},
        {60000, blueOverWhite, white, red},
        {119999, blueOverWhite, blueOverWhite, blueOverRed},
        {120000, white, white, red},
        {240000 + 100, white, white, red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        elapsedMs = c.t;
        RenderProbe probe;
        panel.draw(probe.canvas());
        probe.capture();
        EXPECT_TRUE(near(clockAt(probe, 93), c.at3)) << "3 o'clock";
        EXPECT_TRUE(near(clockAt(probe, 267), c.at9)) << "9 o'clock";
        EXPECT_TRUE(near(clockAt(probe, 303), c.at11)) << "the red zone";
    }
    // The first slice shows as soon as the period has begun.
    elapsedMs = 1;
    RenderProbe probe;
    panel.draw(probe.canvas());
    probe.capture();
    EXPECT_TRUE(near(clockAt(probe, 3, 19), blueOverWhite));
    EXPECT_TRUE(near(clockAt(probe, 9, 19), white));
}
