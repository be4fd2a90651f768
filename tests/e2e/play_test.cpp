// Playing the real game with the mouse and the keyboard.

#include "board_cells.h"
#include "game_process.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace std::chrono_literals;

namespace {

const Rgb panelGrey{128, 128, 128};
const Rgb menuYellow{255, 255, 0};

bool is(const Rgb& a, const Rgb& b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

// The width of what differs between two captures of a band across the window.
int changedWidth(const std::string& before, const std::string& after)
{
    std::istringstream a(before), b(after);
    int first = 800, last = -1, i = 0;
    for (std::string p, q; std::getline(a, p, ',') && std::getline(b, q, ','); ++i) {
        if (p != q)
            first = std::min(first, i % 800), last = std::max(last, i % 800);
    }
    return last - first + 1;
}

class PlayTest : public testing::Test
{
protected:
    Rgb at(int x, int y) const { return toRgb(game.pixel(x, y)); }
    bool onMenu() const { return is(at(335, 405), menuYellow); }
    bool inLevel() const { return is(at(600, 520), panelGrey); }
    std::string clock() const { return game.region(728, 482, 45, 45); }
    // The pixels of the clock's face the passing time has turned blue.
    int clockTurned() const
    {
        std::istringstream pixels(clock());
        int turned = 0;
        for (std::string pixel; std::getline(pixels, pixel, ',');)
            turned += is(toRgb(std::stoul(pixel)), {127, 127, 255});
        return turned;
    }
    bool questionOpen() const { return is(at(490, 340), {255, 255, 255}); }
    // The building buttons' black captions turn grey while a placement is
    // being built; the arrow tower's stands for them all.
    bool buildLockFree() const { return game.region(5, 479, 100, 25).find(",0,") != std::string::npos; }

    void closesWithStatusZero()
    {
        game.requestClose();
        const std::optional<int> status = game.waitForExit(20s);
        ASSERT_TRUE(status.has_value()) << "the game did not end after the close request";
        EXPECT_EQ(*status, 0);
    }

    GameProcess game;
};

} // namespace

TEST_F(PlayTest, MenuLeadsToEachLevelAndClosesWithStatusZero)
{
    ASSERT_TRUE(game.start());
    EXPECT_TRUE(game.waitUntil([this] { return onMenu(); }));
    game.screenshot("menu");
    game.click(380, 440); // between two buttons
    game.click(380, 415, 3); // right button on a level button
    EXPECT_TRUE(onMenu());
    closesWithStatusZero();

    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        GameProcess run;
        ASSERT_TRUE(run.start());
        run.click(380, 365 + 50 * level);
        EXPECT_TRUE(run.waitUntil([&run] { return is(toRgb(run.pixel(600, 520)), panelGrey); })) << "level screen";
        run.screenshot("level" + std::to_string(level));
        run.requestClose();
        EXPECT_EQ(run.waitForExit(5s), std::optional<int>(0));
    }
}

TEST_F(PlayTest, BuildsWithKeysAndClicks)
{
    const LevelCells cells = readLevelCells(std::string(BRAMBLEHOLT_GAME_DIR) + "/map/c1.txt");
    ASSERT_FALSE(cells.low.empty());
    ASSERT_FALSE(cells.high.empty());
    // A low cell away from the entry, and any high cell.
    const BoardCell deck = cells.low[cells.low.size() / 2];
    const BoardCell rock = cells.high[cells.high.size() / 2];

    // Each step waits for what the window shows, however slow the machine.
    ASSERT_TRUE(game.start());
    game.click(380, 415);
    ASSERT_TRUE(game.waitUntil([this] { return inLevel(); }));

    // The deck's top face, 24 pixels above its ground tile.
    const int deckX = groundX(deck), deckY = towerY(deck);
    const auto deckTop = [&] { return game.region(deckX - 10, deckY - 10, 20, 20); };
    const std::string grass = deckTop();
    game.key("q");
    game.click(groundX(deck), groundY(deck));
    EXPECT_TRUE(game.waitUntil([&] { return deckTop() != grass; })) << "a platform appeared";
    const std::string platform = deckTop();

    game.key("1"); // refused while the platform is being built
    game.click(groundX(deck), towerY(deck));
    EXPECT_EQ(deckTop(), platform) << "no tower during the build lock";

    ASSERT_TRUE(game.waitUntil([this] { return buildLockFree(); }));
    game.key("1");
    game.click(groundX(deck), towerY(deck));
    EXPECT_TRUE(game.waitUntil([&] { return deckTop() != platform; })) << "a tower on the platform";

    const int rockX = groundX(rock), rockY = towerY(rock);
    const std::string stone = game.region(rockX - 10, rockY - 10, 20, 20);
    ASSERT_TRUE(game.waitUntil([this] { return buildLockFree(); }));
    game.key("3");
    game.click(rockX, rockY);
    EXPECT_TRUE(game.waitUntil([&] { return game.region(rockX - 10, rockY - 10, 20, 20) != stone; }))
        << "a tower on high ground";
    game.screenshot("level1_built");
    closesWithStatusZero();
}

TEST_F(PlayTest, PauseStopsTheClock)
{
    ASSERT_TRUE(game.start());
    game.click(380, 415);
    ASSERT_TRUE(game.waitUntil([this] { return inLevel(); }));
    game.key("p");
    const std::string paused = clock();
    game.pause(2500ms);
    EXPECT_EQ(clock(), paused) << "the clock stands while paused";
    game.key("p");
    EXPECT_TRUE(game.waitUntil([&] { return clock() != paused; })) << "the clock runs again";
    closesWithStatusZero();
}

TEST_F(PlayTest, RestartAndReturnToMenuAskFirst)
{
    // Each step waits for what the window shows, however slow the machine.
    const auto shows = [this](auto condition) { return game.waitUntil(condition); };
    ASSERT_TRUE(game.start());
    game.click(380, 415);
    ASSERT_TRUE(shows([&] { return inLevel(); }));
    // Two slices more of the clock, whatever the first showed.
    for (int slice = 0; slice < 2; ++slice) {
        const int turned = clockTurned();
        ASSERT_TRUE(shows([&] { return clockTurned() > turned; })) << "the clock runs";
    }
    const int running = clockTurned();

    game.click(700, 580); // restart
    EXPECT_TRUE(shows([&] { return questionOpen(); }));
    game.screenshot("restart_question");
    game.click(425, 300); // no
    EXPECT_TRUE(shows([&] { return !questionOpen(); }));

    game.click(700, 580);
    ASSERT_TRUE(shows([&] { return questionOpen(); }));
    game.click(375, 300); // yes: the clock starts again from nothing
    EXPECT_TRUE(shows([&] { return !questionOpen() && clockTurned() < running; })) << "the clock starts again";

    game.click(700, 550); // return to the menu
    EXPECT_TRUE(shows([&] { return questionOpen(); }));
    game.click(375, 300);
    EXPECT_TRUE(shows([&] { return onMenu(); }));

    game.click(380, 465); // a second level
    EXPECT_TRUE(shows([&] { return inLevel(); }));

    game.click(700, 580); // close with a question open
    EXPECT_TRUE(shows([&] { return questionOpen(); }));
    closesWithStatusZero();
}

namespace {

// A copy of the runtime folder whose level files are the test's own.
class OwnLevels
{
public:
    OwnLevels()
    {
        folder = std::filesystem::temp_directory_path() / ("brambleholt-e2e-" + std::to_string(getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "map");
        const std::filesystem::path game = BRAMBLEHOLT_GAME_DIR;
        for (const char* entry : {"brambleholt", "image", "sound", "hei.ttf"})
            std::filesystem::create_symlink(game / entry, folder / entry);
    }
    ~OwnLevels() { std::filesystem::remove_all(folder); }
    void write(const std::string& name, const std::string& text) const
    {
        std::ofstream(folder / "map" / name) << text;
    }
    std::filesystem::path folder;
};

// Sixteen columns of low ground with the home in the given column of row 5.
std::string board(int homeColumn, const std::string& waves)
{
    std::string text;
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 16; ++column)
            text += (row == 4 && column == homeColumn) ? "2 " : "0 ";
        text += '\n';
    }
    return text + waves;
}

// Baby wolves at 50 a second for a minute: one is spawned at once.
const std::string babyRush = "60 0 50 0 0 0 0 1 0.001 1 1 1 1 0 1 0 0 0 0\n";
// One quiet second.
const std::string quietSecond = "1 0 0 0 0 0 0 1 1 1 1 1 1 0 0 0 0 0 0\n";

} // namespace

TEST_F(PlayTest, ShowsTheLostAndWonPicturesAndRefusesBrokenMaps)
{
    OwnLevels levels;
    levels.write("c1.txt", board(0, babyRush));   // the home right beside the entry
    levels.write("c2.txt", board(15, quietSecond)); // nothing comes
    levels.write("c3.txt", "0 0 0 oops\n");
    ASSERT_TRUE(game.start(levels.folder.string()));
    ASSERT_TRUE(game.waitUntil([this] { return onMenu(); }));

    const std::string plainMenu = game.region(0, 544, 800, 24);
    game.click(380, 515); // the broken level
    EXPECT_TRUE(game.waitUntil([&] { return game.region(0, 544, 800, 24) != plainMenu; })) << "a notice";
    EXPECT_TRUE(onMenu()) << "a broken map keeps the menu";
    game.screenshot("menu_broken_map");
    // Under the buttons, on a band as wide as the line, the file and the reason.
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile(BRAMBLEHOLT_GAME_DIR "/hei.ttf"));
    const sf::Text notice(L"地图无法载入：map/c3.txt：第1行：地形代码'oops'不是整数", font, 14);
    EXPECT_NEAR(changedWidth(plainMenu, game.region(0, 544, 800, 24)), notice.getLocalBounds().width + 16, 2);

    // The lettering of a banner, on the left of the board.
    const auto banner = [this] { return game.brightPixels(4, 4, 80, 468) > 500; };
    game.click(380, 415);
    ASSERT_TRUE(game.waitUntil([this] { return inLevel(); }));
    EXPECT_TRUE(game.waitUntil(banner)) << "the lost picture's lettering";
    game.screenshot("level_lost");
    game.click(10, 575); // demolition stays grey and unchosen once lost
    game.click(700, 550);
    game.click(375, 300);
    ASSERT_TRUE(game.waitUntil([this] { return onMenu(); }));

    game.click(380, 465);
    ASSERT_TRUE(game.waitUntil([this] { return inLevel(); }));
    EXPECT_LT(game.brightPixels(4, 4, 80, 468), 300) << "a plain board";
    EXPECT_TRUE(game.waitUntil(banner)) << "the won picture's lettering";
    game.screenshot("level_won");
    closesWithStatusZero();
}
