// The play loop's per-frame update, its keys, and the questions that end or
// restart a level.

#include "support/world_fixture.h"

#include "app/play_loop.h"
#include "app/run.h"
#include "towers/platform.h"
#include "ui/build_tool.h"
#include "ui/building_panel.h"
#include "ui/main_view.h"
#include "ui/message_box.h"
#include "wolves/wolf_kinds.h"

namespace {

class PlayLoop : public WorldTest
{
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        loadOpenBoard();
        AppState = Playing;
        pauseFlag = 0;
        messageBoxOpen = 0;
        currentTool = BuildTool::None;
        rootPanel.children = {&board, &panel};
    }
    void TearDown() override
    {
        if (rootPanel.children.size() == 3) {
            delete rootPanel.children.back();
            rootPanel.children.pop_back();
        }
        rootPanel.children.clear();
        messageBoxOpen = 0;
        pauseFlag = 0;
        currentTool = BuildTool::None;
        WorldTest::TearDown();
    }

    // Each tick draws six spawn values from the engine, so a moved engine
    // tells that the World advanced.
    bool ticks()
    {
        const std::mt19937 before = randomEngine;
        updateFrame();
        return randomEngine != before;
    }

    static sf::Event key(sf::Keyboard::Key code)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, false, false, false, false};
        return event;
    }
    static sf::Event release(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
    {
        sf::Event event;
        event.type = sf::Event::MouseButtonReleased;
        event.mouseButton = {button, x, y};
        return event;
    }
    MessageBox* openBox() const { return static_cast<MessageBox*>(rootPanel.children.back()); }

    MainView board;
    BuildingPanel panel{0, 474, 800, 176};
};

} // namespace

TEST_F(PlayLoop, KeysChooseToolsAndPause)
{
    handlePlayEvent(key(sf::Keyboard::Num3));
    EXPECT_EQ(currentTool, BuildTool::SkunkTower);
    handlePlayEvent(key(sf::Keyboard::Numpad1)); // only the main row's digits
    EXPECT_EQ(currentTool, BuildTool::SkunkTower);
    buildLock = 1;
    handlePlayEvent(key(sf::Keyboard::Q));
    EXPECT_EQ(currentTool, BuildTool::SkunkTower);
    handlePlayEvent(key(sf::Keyboard::C));
    EXPECT_EQ(currentTool, BuildTool::RemoveBuilding);
    buildLock = 0;
    handlePlayEvent(key(sf::Keyboard::W));
    EXPECT_EQ(currentTool, BuildTool::Flood);

    handlePlayEvent(key(sf::Keyboard::P));
    EXPECT_EQ(pauseFlag, 1);
    EXPECT_FALSE(ticks());
    handlePlayEvent(key(sf::Keyboard::P));
    EXPECT_TRUE(ticks());
}

TEST_F(PlayLoop, OnlyLeftReleasesReachTheBoard)
{
    currentTool = BuildTool::Platform;
    handlePlayEvent(release(175, 270, sf::Mouse::Right));
    EXPECT_TRUE(platforms.empty());
    handlePlayEvent(release(175, 270));
    ASSERT_EQ(platforms.size(), 1u);
    EXPECT_EQ(sf::Vector2i(platforms[0]->x, platforms[0]->y), sf::Vector2i(5, 5));
}

TEST_F(PlayLoop, AQuestionHaltsTheLevelUntilAnswered)
{
    handlePlayEvent(release(700, 580)); // restart
    ASSERT_EQ(rootPanel.children.size(), 3u);
    EXPECT_EQ(messageBoxOpen, 1);
    handlePlayEvent(release(700, 580)); // a second request opens nothing
    EXPECT_EQ(rootPanel.children.size(), 3u);
    EXPECT_FALSE(ticks());

    handlePlayEvent(release(360, 260)); // inside the box, on neither button
    EXPECT_EQ(openBox()->result, 0);
    currentTool = BuildTool::Platform;
    handlePlayEvent(release(310, 230)); // on the white margin: reaches the board
    EXPECT_EQ(platforms.size(), 1u);

    handlePlayEvent(key(sf::Keyboard::P)); // the pause key works meanwhile
    handlePlayEvent(release(410, 290));    // no
    EXPECT_EQ(openBox()->result, 3);
    EXPECT_FALSE(ticks()) << "still paused";
    EXPECT_EQ(rootPanel.children.size(), 2u);
    EXPECT_EQ(messageBoxOpen, 0);
    EXPECT_EQ(platforms.size(), 1u) << "no means nothing changes";
}

TEST_F(PlayLoop, RestartingEmptiesTheLevelAndPlaysOn)
{
    addWolf<RegularWolf>(3);
    placePlatform(5, 5);
    run(2.0f);
    handlePlayEvent(release(700, 580));
    handlePlayEvent(release(360, 290)); // yes
    EXPECT_TRUE(wolves.empty());
    EXPECT_TRUE(platforms.empty());
    EXPECT_EQ(elapsedMs, 0);
    EXPECT_EQ(openBox()->result, 2);
    EXPECT_TRUE(ticks()) << "the restarted level ticks in the same frame";
    EXPECT_EQ(rootPanel.children.size(), 2u);
    EXPECT_EQ(AppState, Playing);
}

TEST_F(PlayLoop, ReturningToTheMenuClearsTheLevelWithoutAnotherTick)
{
    addWolf<RegularWolf>(3);
    handlePlayEvent(release(700, 550));
    handlePlayEvent(release(360, 290)); // yes
    EXPECT_EQ(AppState, Menu);
    EXPECT_TRUE(wolves.empty());
    EXPECT_FALSE(ticks());
    EXPECT_EQ(rootPanel.children.size(), 2u);
    EXPECT_EQ(messageBoxOpen, 0);
}

TEST_F(PlayLoop, ClicksBatchedAfterAYesNeverReachTheBoardThatWasLeft)
{
    struct Case
    {
        const char* question;
        int buttonY;
    };
    for (const Case& c : {Case{"restart", 580}, Case{"return to the menu", 550}}) {
        SCOPED_TRACE(c.question);
        AppState = Playing;
        currentTool = BuildTool::Platform;
        handlePlayEvent(release(700, c.buttonY));
        PlayEventBatch batch; // a quick player: yes and a board click in one frame
        batch.handle(release(360, 290));
        batch.handle(release(175, 270));
        batch.handle(key(sf::Keyboard::P));
        EXPECT_TRUE(platforms.empty());
        EXPECT_EQ(pauseFlag, 0);
        updateFrame();
    }

    // A close request in the same batch still ends the program, at once.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    handlePlayEvent(release(700, 550));
    PlayEventBatch closing;
    closing.handle(release(360, 290));
    sf::Event close;
    close.type = sf::Event::Closed;
    EXPECT_EXIT(closing.handle(close), testing::ExitedWithCode(0), "");

    // The next frame's clicks play the restarted level as usual.
    AppState = Playing;
    PlayEventBatch next;
    next.handle(release(175, 270));
    EXPECT_EQ(platforms.size(), 1u);

    // However objects got there, a level starts with empty lists.
    digPond(4, 4);
    loadOpenBoard();
    EXPECT_TRUE(platforms.empty());
    EXPECT_TRUE(ponds.empty());
    EXPECT_EQ(cell(5, 5).platform, nullptr);
}

TEST_F(PlayLoop, AStallPausesTheWorldInsteadOfDecidingTheLevel)
{
    // A wolf 3 cells from the home, which a frame of 20 s would walk in, is
    // moved as far as by a frame of 100 ms; shorter frames stay as they are.
    std::vector<sf::Vector2f> reached;
    for (const sf::Time stall : {sf::milliseconds(100), sf::seconds(20)}) {
        clearWorld();
        loadOpenBoard();
        addWolf<RegularWolf>(5);
        for (int frame = 0; frame < 400; ++frame)
            advanceFrame(sf::seconds(1.f / 30));
        const std::int32_t before = elapsedMs;
        advanceFrame(stall);
        advanceFrame(sf::milliseconds(99));
        EXPECT_EQ(elapsedMs - before, 199);
        EXPECT_EQ(levelLost, 0);
        reached.push_back(wolves.at(0)->position());
    }
    EXPECT_GT(reached[0].x, 14.f);
    EXPECT_EQ(reached[0], reached[1]);
}
