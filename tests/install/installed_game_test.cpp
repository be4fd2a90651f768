// The game as `cmake --install` lays it out: the installed tree, and the
// installed launcher (and the build tree's) started the ways a player starts
// it, from folders that hold none of the game's data.

#include "game_process.h"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const fs::path prefix = BRAMBLEHOLT_INSTALL_PREFIX;
const fs::path installedGame = prefix / "share/games/brambleholt";
const fs::path installedProgram = prefix / "lib/brambleholt/brambleholt";
const fs::path launcher = prefix / "bin/brambleholt";
const fs::path desktopFile = prefix / "share/applications" / BRAMBLEHOLT_APP_ID ".desktop";
const fs::path buildTreeLauncher = BRAMBLEHOLT_BUILD_LAUNCHER;

std::string contents(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool executableFile(const fs::path& path)
{
    return fs::is_regular_file(path) && access(path.c_str(), X_OK) == 0;
}

// The key=value lines of the [Desktop Entry] group.
std::map<std::string, std::string> desktopEntry(const fs::path& path)
{
    std::map<std::string, std::string> keys;
    std::ifstream file(path);
    std::string line, group;
    while (std::getline(file, line)) {
        if (!line.empty() && line.front() == '[')
            group = line;
        else if (group == "[Desktop Entry]" && line.find('=') != std::string::npos)
            keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return keys;
}

// Width and height from a PNG's header, or 0 x 0 when it is no PNG.
std::pair<unsigned, unsigned> pngSize(const fs::path& path)
{
    const std::string header = contents(path).substr(0, 24);
    if (header.size() < 24 || header.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || header.compare(12, 4, "IHDR") != 0)
        return {0, 0};
    auto bigEndian = [&header](std::size_t at) {
        unsigned value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = value << 8 | static_cast<unsigned char>(header[i]);
        return value;
    };
    return {bigEndian(16), bigEndian(20)};
}

} // namespace

TEST(InstalledTree, HoldsTheGameAndEveryDataFileOfTheRuntimeFolder)
{
    EXPECT_TRUE(executableFile(launcher));
    EXPECT_TRUE(executableFile(installedProgram));

    // The same kinds of file the install rules pick, so that a new image or
    // sound in the build cannot be left out of the install unnoticed.
    const fs::path runtimeFolder = BRAMBLEHOLT_GAME_DIR;
    const std::pair<const char*, const char*> kinds[] = {{"map", ".txt"}, {"image", ".png"}, {"sound", ".wav"}};
    for (const auto& [folder, extension] : kinds) {
        int files = 0;
        for (const fs::directory_entry& built : fs::directory_iterator(runtimeFolder / folder)) {
            if (built.path().extension() != extension)
                continue;
            const fs::path relative = fs::path(folder) / built.path().filename();
            SCOPED_TRACE(relative.string());
            ASSERT_TRUE(fs::is_regular_file(installedGame / relative)) << "not installed";
            EXPECT_TRUE(contents(installedGame / relative) == contents(built.path())) << "differs from the build's";
            ++files;
        }
        EXPECT_GT(files, 0) << "the runtime folder has no " << folder;
    }
    EXPECT_TRUE(contents(installedGame / "hei.ttf") == contents(runtimeFolder / "hei.ttf"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/man/man6/brambleholt.6.gz"));
}

// share/ is for files any architecture can use; packaging checks refuse
// programs there.
TEST(InstalledTree, KeepsProgramsOutOfShare)
{
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(prefix / "share"))
        EXPECT_FALSE(file.is_regular_file() && contents(file.path()).compare(0, 4, "\x7f" "ELF") == 0)
            << file.path() << " is a compiled program";
}

TEST(InstalledTree, DesktopEntryStartsTheInstalledLauncherWithItsIcon)
{
    std::map<std::string, std::string> entry = desktopEntry(desktopFile);
    ASSERT_FALSE(entry.empty()) << desktopFile << " is missing or has no [Desktop Entry]";
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], "Brambleholt");
    EXPECT_EQ(entry["Terminal"], "false");
    // Desktops look the command up on PATH, where the prefix's bin would be.
    EXPECT_EQ(entry["Exec"], "brambleholt");
    EXPECT_TRUE(executableFile(prefix / "bin" / entry["Exec"]));

    std::istringstream categories(entry["Categories"]);
    std::map<std::string, bool> listed;
    for (std::string category; std::getline(categories, category, ';');)
        listed[category] = true;
    EXPECT_TRUE(listed["Game"]) << entry["Categories"];
    EXPECT_TRUE(listed["StrategyGame"]) << entry["Categories"];

    // One reverse-DNS name for the entry and its icon (the software-centre
    // data names the entry; the validator checks that link).
    EXPECT_EQ(entry["Icon"], desktopFile.stem().string());
}

// Icon themes look an icon up by its name in the folder of each size, and take
// the folder's word for the size.
TEST(InstalledTree, IconsFromSmallToLargeEachOfItsFoldersSize)
{
    const std::string icon = desktopEntry(desktopFile)["Icon"] + ".png";
    std::set<unsigned> sizes;
    for (const fs::directory_entry& folder : fs::directory_iterator(prefix / "share/icons/hicolor")) {
        SCOPED_TRACE(folder.path().string());
        unsigned width = 0, height = 0;
        char x = 0;
        std::istringstream name(folder.path().filename().string());
        ASSERT_TRUE(name >> width >> x >> height && x == 'x') << "not a size";
        EXPECT_EQ(pngSize(folder.path() / "apps" / icon), std::make_pair(width, height));
        sizes.insert(width);
    }
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(*sizes.begin(), 16u) << "panels and title bars need a small one";
    EXPECT_EQ(*sizes.rbegin(), 256u) << "software centres need a large one";
}

namespace {

// The exit status and everything a program printed, run without a display so
// that a game started by mistake fails instead of opening a window.
std::pair<int, std::string> runWithoutDisplay(const fs::path& program, const std::string& argument)
{
    const std::string command = "env -u DISPLAY '" + program.string() + "' " + argument + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {-1, "cannot run " + command};
    std::string output;
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

} // namespace

TEST(LauncherOptions, HelpAndVersionAnsweredWithoutAWindow)
{
    const std::pair<fs::path, fs::path> launchers[] = {{launcher, installedGame},
                                                       {buildTreeLauncher, BRAMBLEHOLT_GAME_DIR}};
    for (const auto& [program, dataFolder] : launchers) {
        SCOPED_TRACE(program.string());
        const auto [helpStatus, help] = runWithoutDisplay(program, "--help");
        EXPECT_EQ(helpStatus, 0) << help;
        EXPECT_EQ(help.rfind("Usage: brambleholt", 0), 0u) << help;
        EXPECT_NE(help.find(fs::canonical(dataFolder).string() + "\n"), std::string::npos)
            << "the data folder is not named:\n" << help;

        const auto [versionStatus, version] = runWithoutDisplay(program, "--version");
        EXPECT_EQ(versionStatus, 0);
        EXPECT_EQ(version, "brambleholt " BRAMBLEHOLT_VERSION "\n");
    }
}

namespace {

const Rgb menuYellow{255, 255, 0};

bool near(const Rgb& a, const Rgb& b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

// Starts a launcher in ways a player does, each from a folder without the
// game's data, and checks that the menu is drawn from the game's data and
// that closing the window ends the game cleanly.
class Launcher : public testing::Test
{
protected:
    void SetUp() override
    {
        scratch = fs::temp_directory_path() / ("brambleholt-install-" + std::to_string(getpid()));
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        ASSERT_TRUE(menuPicture.loadFromFile((installedGame / "image/menu.png").string()));
    }
    void TearDown() override { fs::remove_all(scratch); }

    Rgb at(int x, int y) const { return toRgb(game.pixel(x, y)); }

    // Nearly black pixels of a window rectangle: lettering on a light ground.
    int darkPixels(int x, int y, int width, int height) const
    {
        std::istringstream pixels(game.region(x, y, width, height));
        int dark = 0;
        for (std::string value; std::getline(pixels, value, ',');) {
            const Rgb c = toRgb(std::stoul(value));
            dark += c.r < 90 && c.g < 90 && c.b < 90;
        }
        return dark;
    }

    void expectMenuDrawnFromTheGameData() const
    {
        // A slow machine draws the first frame late.
        EXPECT_TRUE(game.waitUntil([this] { return near(at(335, 405), menuYellow); })) << "the first level button";
        // The yellow buttons are drawn without any data; the picture behind
        // them and the captions on them need the images and the font.
        for (const sf::Vector2u point : {sf::Vector2u(20, 20), sf::Vector2u(400, 250), sf::Vector2u(760, 580)}) {
            const sf::Color expected = menuPicture.getPixel(point.x, point.y);
            const int x = static_cast<int>(point.x), y = static_cast<int>(point.y);
            EXPECT_TRUE(near(at(x, y), {expected.r, expected.g, expected.b}))
                << "the menu picture at (" << x << ", " << y << ")";
        }
        EXPECT_GT(darkPixels(330, 400, 100, 30), 20) << "the first level button's caption";
    }

    void closesWithStatusZero()
    {
        game.requestClose();
        const std::optional<int> status = game.waitForExit(20s);
        ASSERT_TRUE(status.has_value()) << "the game did not end after the close request";
        EXPECT_EQ(*status, 0);
    }

    fs::path scratch;
    sf::Image menuPicture;
    GameProcess game;
};

// Sets an environment variable for the lifetime of the object.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { setenv(name_, old_.c_str(), 1); }

private:
    const char* name_;
    std::string old_;
};

} // namespace

TEST_F(Launcher, InstalledStartedByItsPathFromAnotherFolder)
{
    ASSERT_TRUE(game.startProgram(launcher.string(), scratch.string())) << "no game window from " << launcher;
    expectMenuDrawnFromTheGameData();
    closesWithStatusZero();
}

TEST_F(Launcher, InstalledStartedByNameOnThePathAsTheDesktopEntryDoes)
{
    const char* inherited = std::getenv("PATH");
    const ScopedVariable path("PATH", (prefix / "bin").string() + ":" + (inherited ? inherited : "/usr/bin:/bin"));
    ASSERT_TRUE(game.startProgram(desktopEntry(desktopFile)["Exec"], "/"));
    expectMenuDrawnFromTheGameData();
    closesWithStatusZero();
}

// A source build, played without installing, from wherever the player is.
TEST_F(Launcher, OfTheBuildTreeStartedFromAnotherFolder)
{
    ASSERT_TRUE(game.startProgram(buildTreeLauncher.string(), scratch.string()));
    expectMenuDrawnFromTheGameData();
    closesWithStatusZero();
}

// As from a link in /usr/games or in a player's own bin folder.
TEST_F(Launcher, InstalledStartedThroughASymbolicLinkElsewhere)
{
    const fs::path link = scratch / "bin" / "brambleholt";
    fs::create_directories(link.parent_path());
    fs::create_symlink(launcher, link);
    ASSERT_TRUE(game.startProgram(link.string(), scratch.string()));
    expectMenuDrawnFromTheGameData();
    closesWithStatusZero();
}
