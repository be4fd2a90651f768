// A play recorded through the game's own menu choice, event handling and
// frame update is played back by the lab to the same ends, ticks and world
// hashes; a changed frame shows as a difference; and recordings the lab
// cannot play are refused with the line and the reason.

#include "playtest.h"
#include "replay.h"

#include "app/main_menu.h"
#include "app/play_loop.h"
#include "app/recording.h"
#include "app/run.h"
#include "world/level.h"
#include "world/world.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

sf::Event click(int x, int y)
{
    sf::Event event;
    event.type = sf::Event::MouseButtonReleased;
    event.mouseButton = {sf::Mouse::Left, x, y};
    return event;
}

sf::Event key(sf::Keyboard::Key code)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {code, false, false, false, false};
    return event;
}

// Drives the game's menu choice and play loop as run() and playLevel() do,
// with frames of given lengths, while recording.
class ScriptedGame
{
public:
    void menuClick(int x, int y)
    {
        recordMenuEvent(click(x, y));
        if (const int level = levelButtonAt(x, y)) {
            const LevelLoadResult loaded = loadLevel(level);
            recordLevel(level, loaded.ok);
            AppState = Playing;
            screen_.emplace();
        }
    }
    void frame(const std::vector<sf::Event>& events = {})
    {
        PlayEventBatch batch;
        for (const sf::Event& event : events) {
            recordPlayEvent(event);
            batch.handle(event);
        }
        // Frame lengths vary, as the real game's do.
        const sf::Time dt = sf::microseconds(33000 + (frames_++ * 7919) % 1700);
        recordFrame(dt, advanceFrame(dt));
        if (AppState != Playing) {
            screen_.reset();
            recordLevelLeft();
        }
    }
    void close()
    {
        sf::Event event;
        event.type = sf::Event::Closed;
        recordPlayEvent(event);
        recordClose();
        screen_.reset();
        clearWorld();
    }

private:
    std::optional<LevelScreen> screen_;
    long frames_ = 0;
};

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Replayed
{
    int status;
    std::string out;
};

Replayed replayText(const std::string& text)
{
    std::istringstream in(text);
    ReplayOptions options;
    options.printTimelines = false;
    options.out = std::tmpfile();
    Replayed result{replayRecording(in, "the recording", options), {}};
    std::rewind(options.out);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, options.out)) > 0;)
        result.out.append(buffer, n);
    std::fclose(options.out);
    return result;
}

std::string checksumOf(int level)
{
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, fileChecksum(levelFile(level)).value_or(0));
    return text;
}

} // namespace

TEST(Replay, RecordedPlayEndsAlikeAndAChangedFrameDiffers)
{
    const fs::path file = fs::temp_directory_path() / ("brambleholt-replay-" + std::to_string(getpid()) + ".txt");
    resetToProgramStart();
    ASSERT_EQ(startRecording(file.string()), "");
    ScriptedGame game;
    game.menuClick(200, 200); // between nothing
    game.menuClick(380, 415); // level 1
    for (int frame = 0; frame < 230; ++frame) {
        if (frame == 10)
            game.frame({key(sf::Keyboard::Num1), click(425, 225), key(sf::Keyboard::Q), click(275, 250)});
        else if (frame == 100 || frame == 130)
            game.frame({key(sf::Keyboard::P)});
        else if (frame == 200)
            game.frame({click(745, 587)}); // restart?
        else if (frame == 210)
            game.frame({click(375, 300), key(sf::Keyboard::Num1), click(425, 225)}); // yes; the rest is dropped
        else
            game.frame();
    }
    for (int frame = 0; frame < 20000 && levelLost == 0; ++frame)
        game.frame();
    ASSERT_EQ(levelLost, 1) << "level 1 undefended is lost";
    game.frame({click(745, 557)});   // the menu?
    game.frame({click(375, 300)});   // yes
    game.menuClick(380, 465);        // level 2
    for (int frame = 0; frame < 60; ++frame)
        game.frame(frame == 5 ? std::vector<sf::Event>{key(sf::Keyboard::Num2), click(425, 225)}
                              : std::vector<sf::Event>{});
    game.close();
    stopRecording();
    const std::string recorded = readAll(file);
    fs::remove(file);

    const Replayed replayed = replayText(recorded);
    EXPECT_EQ(replayed.status, 0) << replayed.out;
    std::istringstream lines(replayed.out);
    std::vector<std::string> ends;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("level ", 0) == 0)
            ends.push_back(line.substr(0, line.find(" at ")));
        else
            EXPECT_NE(line.find(", as the game recorded"), std::string::npos) << line;
    }
    EXPECT_EQ(ends, (std::vector<std::string>{"level 1: restarted", "level 1: lost", "level 2: left"})) << replayed.out;

    // One frame of the second play a millisecond longer: the loss comes
    // otherwise than recorded.
    std::string changed = recorded;
    std::size_t at = changed.find("end restarted");
    for (int frame = 0; frame < 50; ++frame)
        at = changed.find("frame ", at + 1);
    changed.replace(at, changed.find('\n', at) - at, "frame 34400");
    const Replayed differing = replayText(changed);
    EXPECT_EQ(differing.status, 1);
    EXPECT_NE(differing.out.find("lost at"), std::string::npos) << differing.out;
    EXPECT_NE(differing.out.find("THE REPLAY DIFFERS"), std::string::npos) << differing.out;
}

TEST(Replay, RefusesWhatItCannotPlayNamingTheLine)
{
    const std::string head = "brambleholt-recording 1\n";
    const std::string level1 = "click 380 415\nlevel 1 " + checksumOf(1) + "\n";
    const struct
    {
        std::string text;
        std::string reason;
    } cases[] = {
        {"", "line 1: the file is empty"},
        {"brambleholt-recording 1", "line 1: the file is empty, or has no whole line"},
        {"frame 33333\n", "line 1: not a Brambleholt recording"},
        {"brambleholt-recording 2\n", "line 1: made in format 2, later than this lab reads (1)"},
        {"brambleholt-recording one\n", "line 1: the format version 'one' is not a number"},
        {head + "jump 3\n", "line 2: unknown entry 'jump'"},
        {head + "click 380\n", "line 2: 'click' takes 2 values"},
        {head + "click 380  415\n", "line 2: 'click' takes 2 values"},
        {head + level1 + "frame -33\n", "line 4: the frame's length in microseconds '-33' is not a whole number"},
        {head + level1 + "key 999\n", "line 4: the key code '999' is not a whole number from -1 to"},
        {head + "click 380 415\nlevel 4 " + checksumOf(1) + "\n",
         "line 3: the level '4' is not a whole number from 1 to 3"},
        {head + "click 380 415\nlevel 1 0123456789abcdef\n",
         "line 3: level 1 was played on a map with checksum 0123456789abcdef, and map/c1.txt here has " +
             checksumOf(1) + ": another map"},
        {head + "click 380 415\nlevel 1 12345\n", "line 3: the map's checksum '12345' is not 16 hexadecimal digits"},
        {head + level1 + "frame 33333\nend won 1 33 0x12\n", "line 5: the world's hash '0x12' is not 0x and 16"},
        {head + level1 + "frame 33333\nend tied 1 33 0x0000000000000000\n", "line 5: a play ends won, lost,"},
        {head + "close\nclick 1 1\n", "line 3: more follows the closing of the window"},
        {head + std::string(200, '7') + "\n", "line 2: longer than any entry of a recording"},
        // Lines that read but do not follow this game's play.
        {head + "frame 33333\n", "line 2: a frame while the replay is in the menu: the recording does not follow"},
        {head + "level 1 " + checksumOf(1) + "\n", "line 2: level 1 is loaded, but the click before chose none"},
        {head + "click 380 465\nlevel 1 " + checksumOf(1) + "\n",
         "line 3: level 1 is loaded, but the click before chose level 2"},
        {head + level1 + "click 380 465\nlevel 2 " + checksumOf(2) + "\n",
         "line 5: level 2 is chosen while level 1 is played"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 120));
        testing::internal::CaptureStderr();
        const Replayed replayed = replayText(c.text);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(replayed.status, 1);
        EXPECT_EQ(said.rfind("level_lab: the recording: " + c.reason, 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}
