#include "game_process.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(GameWindow, OpensTitledAtEightHundredBySixHundredAndClosesCleanly)
{
    GameProcess game;
    ASSERT_TRUE(game.start()) << "no window titled Brambleholt appeared";
    EXPECT_EQ(game.windowTitle(), "Brambleholt");
    unsigned width = 0, height = 0;
    ASSERT_TRUE(game.windowSize(width, height));
    EXPECT_EQ(width, 800u);
    EXPECT_EQ(height, 600u);

    game.screenshot("window_first_frame");
    const auto started = std::chrono::steady_clock::now();
    game.requestClose();
    const std::optional<int> status = game.waitForExit(2s);
    ASSERT_TRUE(status.has_value()) << "the game did not end within two seconds of the close request";
    EXPECT_EQ(*status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
}
