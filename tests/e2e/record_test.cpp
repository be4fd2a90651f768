// brambleholt --record: a play in the real window is written down and the
// level lab plays it back to the same end, tick and world hash; a recording
// that cannot be written, or an unknown option, is refused before the window
// opens.

#include "game_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// What a command prints (standard error too) and its exit status.
std::pair<int, std::string> run(const std::string& command)
{
    FILE* output = popen((command + " 2>&1").c_str(), "r");
    if (!output)
        return {-1, {}};
    std::string said;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, output)) > 0;)
        said.append(buffer, n);
    const int status = pclose(output);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said};
}

} // namespace

TEST(Recording, APlayInTheWindowIsPlayedBackAlike)
{
    const std::string file =
        (std::filesystem::temp_directory_path() / ("brambleholt-e2e-" + std::to_string(getpid()) + ".txt")).string();
    GameProcess game;
    ASSERT_TRUE(game.startProgram("./brambleholt", BRAMBLEHOLT_GAME_DIR, 10s, {"--record", file}));
    game.click(380, 415); // level 1
    game.pause(1500ms);
    game.key("q");
    game.click(275, 250); // a platform
    game.pause(2500ms);
    game.key("1");
    game.click(275, 226); // a tower on it
    game.pause(1000ms);
    game.requestClose();
    ASSERT_EQ(game.waitForExit(2s), std::optional<int>(0));

    const auto [status, said] = run("cd '" BRAMBLEHOLT_GAME_DIR "' && '" LEVEL_LAB "' --replay '" + file + "'");
    std::filesystem::remove(file);
    EXPECT_EQ(status, 0) << said;
    EXPECT_EQ(said.rfind("level 1: left at ", 0), 0u) << said;
    EXPECT_NE(said.find("(the window closed), as the game recorded\n"), std::string::npos) << said;
}

TEST(Recording, RefusedBeforeTheWindowOpens)
{
    const struct
    {
        std::string arguments;
        int status;
        std::string said;
    } cases[] = {
        {"--record /nonexistent-folder/play.txt", 1,
         "brambleholt: cannot record to /nonexistent-folder/play.txt: No such file or directory\n"},
        {"--record /", 1, "brambleholt: cannot record to /: it is not a regular file\n"},
        {"--record", 2, "brambleholt: --record needs the name of the file to write\n"},
        {"--recrod play.txt", 2, "brambleholt: unknown option '--recrod' (the game takes only --record FILE)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto [status, said] = run("cd '" BRAMBLEHOLT_GAME_DIR "' && ./brambleholt " + c.arguments);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(said, c.said);
    }
}
