#include "game_process.h"
#include "support/free_display.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <fcntl.h>
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

TEST(GameWindow, AStretchedWindowTakesClicksWhereItShowsThem)
{
    GameProcess game;
    ASSERT_TRUE(game.start());
    // Whether a pixel shows a colour, within 15 seconds on a busy machine.
    const auto shows = [&game](int x, int y, Rgb colour) {
        for (int tries = 0; tries < 300; ++tries, game.pause(50ms)) {
            const Rgb c = toRgb(game.pixel(x, y));
            if (std::abs(c.r - colour.r) <= 2 && std::abs(c.g - colour.g) <= 2 && std::abs(c.b - colour.b) <= 2)
                return true;
        }
        return false;
    };
    const Rgb buttonYellow{255, 255, 0}, panelGrey{128, 128, 128}, questionWhite{255, 255, 255};
    ASSERT_TRUE(shows(335, 405, buttonYellow)) << "no menu"; // the game has placed its window
    game.resize(1000, 750); // the picture stretches by 5 : 4
    ASSERT_TRUE(shows(419, 506, buttonYellow)) << "the first level's button is not stretched";
    game.click(420, 428); // the sign above its prompt, where the button lies at 800 x 600
    game.pause(500ms);
    EXPECT_TRUE(shows(419, 506, buttonYellow)) << "a click on the sign left the menu";
    game.click(475, 519); // the first level's button
    ASSERT_TRUE(shows(750, 650, panelGrey)) << "the stretched button did not start the level";
    game.click(875, 687); // back to the menu, which asks first
    EXPECT_TRUE(shows(612, 425, questionWhite)) << "the stretched panel button did not ask";
    game.screenshot("stretched_question");
    game.requestClose();
    EXPECT_EQ(game.waitForExit(30s), std::optional<int>(0));
}

TEST(GameWindow, WithoutASoundDeviceSaysSoInOneLine)
{
    // An audio set-up whose only device cannot be opened, on any machine.
    const std::string config = "/tmp/brambleholt-audio-" + std::to_string(getpid()), said = config + ".said";
    std::ofstream(config) << "drivers = alsa\n[alsa]\ndevice = brambleholt-no-such-device\n";
    setenv("ALSOFT_CONF", config.c_str(), 1);
    const std::string notice = "brambleholt: no audio device could be opened; the game plays without sound\n";
    for (const char* drivers : {static_cast<const char*>(nullptr), "alsa"}) { // the user's choice stands
        SCOPED_TRACE(drivers ? drivers : "no drivers chosen");
        drivers ? setenv("ALSOFT_DRIVERS", drivers, 1) : unsetenv("ALSOFT_DRIVERS");
        GameProcess game;
        const int saved = dup(2), output = open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(output, 2);
        const bool started = game.start();
        dup2(saved, 2);
        close(saved);
        close(output);
        ASSERT_TRUE(started);
        game.requestClose();
        EXPECT_EQ(game.waitForExit(30s), std::optional<int>(0));
        std::ifstream lines(said);
        std::string written;
        for (std::string line; std::getline(lines, line);) {
            if (line != "Setting vertical sync not supported") // the graphics library on Xvfb
                written += line + '\n';
        }
        EXPECT_EQ(written == notice, drivers == nullptr) << written;
        EXPECT_NE(written.find(notice), std::string::npos) << written;
    }
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("ALSOFT_CONF");
    std::remove(config.c_str());
    std::remove(said.c_str());
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
