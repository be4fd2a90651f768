#include "game_process.h"
#include "support/free_display.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

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

TEST(GameWindow, StartsWithStandardErrorClosedAndFromAnotherFolder)
{
    struct Case
    {
        const char* name;
        std::string program, folder;
        bool closeStandardError;
    };
    const Case cases[] = {
        {"standard error closed", "./brambleholt", BRAMBLEHOLT_GAME_DIR, true},
        {"from the root folder", BRAMBLEHOLT_GAME_DIR "/brambleholt", "/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GameProcess game;
        const int saved = dup(2);
        if (c.closeStandardError)
            close(2); // the game inherits it closed
        const bool started = game.startProgram(c.program, c.folder);
        dup2(saved, 2);
        close(saved);
        ASSERT_TRUE(started);
        // Without its picture the menu is black (pixel value 0) at the top;
        // a slow first frame is black too, for a while.
        const auto menuLit = [&game] {
            int lit = 0;
            for (int x : {20, 400, 780})
                lit += game.pixel(x, 20) != 0;
            return lit > 0;
        };
        EXPECT_TRUE(game.waitUntil(menuLit)) << "the menu picture is missing: the data was not found";
        game.requestClose();
        EXPECT_EQ(game.waitForExit(20s), std::optional<int>(0));
    }
}

TEST(GameWindow, WithoutADisplayExitsWithOneLine)
{
    // A display of two screens, whose number Xvfb picks and writes to the pipe.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    const pid_t server = fork();
    if (server == 0) {
        dup2(ends[1], 3);
        std::freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "320x240x24", "-screen", "1",
               "320x240x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    char number[16] = {};
    const bool started = read(ends[0], number, sizeof number - 1) > 0; // the pipe stays open for the server
    const std::string twoScreens = ":" + std::string(number, std::strcspn(number, "\n")) + ".1";
    const std::string dead = freeDisplayName();
    struct Case
    {
        std::string display, said;
    };
    const Case cases[] = {
        {dead, "brambleholt: cannot open the display \"" + dead + "\", and the game needs an X display\n"},
        {twoScreens, "brambleholt: cannot open a window on screen 1 of the display \"" + twoScreens +
                         "\" (only on a display's first screen), and the game needs a screen it can open a window on\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        const std::string command = "cd '" BRAMBLEHOLT_GAME_DIR "' && DISPLAY=" + c.display + " ./brambleholt 2>&1";
        FILE* output = popen(command.c_str(), "r");
        ASSERT_NE(output, nullptr);
        std::string said;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, output))
            said += buffer;
        const int status = pclose(output);
        EXPECT_TRUE(WIFEXITED(status)) << "ended by a signal";
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_EQ(said, c.said);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    close(ends[0]);
    EXPECT_TRUE(started) << "Xvfb did not start";
}
